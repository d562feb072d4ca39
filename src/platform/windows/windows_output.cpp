// Standard output on Windows.
#include "platform/windows/windows_output.h"

#include <string>

#include "platform/platform.h"
#include "platform/windows/windows_api.h"

bool HandleOutputBuffer::writeBlock(const char* data, std::size_t size) {
  std::string text;
  for (const char* at = data; at < data + size; ++at) {
    if (*at == '\n')
      text += '\r';
    text += *at;
  }
  if (writeAllToHandle(handle_, text.data(), text.size()))
    return true;
  error_ = GetLastError();
  // A write that failed must count as failed even if the system gave no
  // reason.
  if (error_ == 0)
    error_ = ERROR_WRITE_FAULT;
  return false;
}

std::string describeOutputError(unsigned long error) {
  // The reader of the pipe has gone; which code says so depends on how far
  // it got in closing.
  if (error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED)
    return describeOutputFailure(OutputFailure::readerGone);
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
    return describeOutputFailure(OutputFailure::deviceFull);
  return describeOutputFailure(OutputFailure::other);
}
