// Standard output on Windows.
#include "platform/windows_output.h"

#include <string>

#include "platform/platform.h"
#include "platform/windows_api.h"

HandleOutputBuffer::HandleOutputBuffer(void* handle) : handle_(handle) {
  setp(block_, block_ + blockSize);
}

bool HandleOutputBuffer::flushBlock() {
  std::string text;
  for (const char* at = pbase(); at < pptr(); ++at) {
    if (*at == '\n')
      text += '\r';
    text += *at;
  }
  setp(block_, block_ + blockSize);
  if (error_ != 0)
    return false;
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(handle_, data, static_cast<DWORD>(left), &written, nullptr) || written == 0) {
      error_ = GetLastError();
      // A write that failed must count as failed even if the system gave no
      // reason.
      if (error_ == 0)
        error_ = ERROR_WRITE_FAULT;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

HandleOutputBuffer::int_type HandleOutputBuffer::overflow(int_type byte) {
  if (!flushBlock())
    return traits_type::eof();
  if (traits_type::eq_int_type(byte, traits_type::eof()))
    return traits_type::not_eof(byte);
  *pptr() = traits_type::to_char_type(byte);
  pbump(1);
  return byte;
}

int HandleOutputBuffer::sync() { return flushBlock() ? 0 : -1; }

std::string describeOutputError(unsigned long error) {
  // The reader of the pipe has gone; which code says so depends on how far
  // it got in closing.
  if (error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED)
    return {};
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
    return "Errore: impossibile scrivere sull'output standard (spazio esaurito sul dispositivo).";
  return std::string(outputFailureMessage);
}
