// Helpers shared by every Platform implementation.
#include "platform/platform.h"

bool isColourDigit(char digit) {
  return (digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f') ||
         (digit >= 'A' && digit <= 'F');
}

// Only an editing terminal offers earlier lines; elsewhere there is nothing to
// keep.
void Platform::expectCommandLine() {}

void Platform::rememberCommandLine(std::string_view) {}

void Platform::forgetCommandLines() {}
