// The secure random source on Windows: rand_s, which the C runtime draws from
// the system's generator.
#define _CRT_RAND_S
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/system_random.h"

Status fillFromSystemRandom(std::span<unsigned char> bytes) {
  while (!bytes.empty()) {
    unsigned int value = 0;
    if (rand_s(&value) != 0)
      return Status::failure(Status::Code::ioError, std::string(systemRandomFailedMessage));
    std::size_t size = std::min(bytes.size(), sizeof value);
    std::memcpy(bytes.data(), &value, size);
    bytes = bytes.subspan(size);
  }
  return Status::ok();
}
