// Helpers shared by every Platform implementation.
#include "platform/platform.h"

bool isColourDigit(char digit) {
  return (digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f') ||
         (digit >= 'A' && digit <= 'F');
}
