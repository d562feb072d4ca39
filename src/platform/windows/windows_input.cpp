// Standard input on Windows.
#include "platform/windows/windows_input.h"

#include <iterator>

#include "platform/windows/windows_api.h"

namespace {

constexpr char consoleEndOfInput = '\x1a';  // Ctrl-Z, the console's end of input.

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

std::string toUtf8(const wchar_t* text, int length) {
  if (length <= 0)
    return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool isCarriageBeforeLineFeed(const std::string& text, std::size_t at, std::size_t end) {
  return text[at] == '\r' && at + 1 < end && text[at + 1] == '\n';
}

}  // namespace

HandleInputBuffer::HandleInputBuffer(void* handle) : handle_(handle), console_(isConsole(handle)) {}

bool HandleInputBuffer::readBlock() { return console_ ? readConsoleBlock() : readFileBlock(); }

bool HandleInputBuffer::readConsoleBlock() {
  if (consoleEndTyped_) {
    consoleEndTyped_ = false;
    return false;
  }
  wchar_t block[4096];
  int kept = 0;
  if (surrogateHeld_) {
    block[kept++] = surrogateHeld_;
    surrogateHeld_ = 0;
  }
  DWORD got = 0;
  if (!ReadConsoleW(handle_, block + kept, static_cast<DWORD>(std::size(block) - kept), &got,
                    nullptr) ||
      got == 0)
    return false;
  int length = kept + static_cast<int>(got);
  if (isHighSurrogate(block[length - 1]))
    surrogateHeld_ = block[--length];
  std::string text = toUtf8(block, length);
  std::size_t end = text.find(consoleEndOfInput);
  if (end != std::string::npos) {
    text.resize(end);
    if (text.empty())
      return false;
    consoleEndTyped_ = true;
  }
  raw_ += text;
  return true;
}

bool HandleInputBuffer::readFileBlock() {
  std::size_t start = raw_.size();
  raw_.resize(start + blockSize);
  DWORD got = 0;
  // A pipe whose writer has gone reports an error: that is its end too.
  BOOL read = ReadFile(handle_, raw_.data() + start, static_cast<DWORD>(blockSize), &got, nullptr);
  raw_.resize(start + (read ? got : 0));
  return read && got > 0;
}

HandleInputBuffer::int_type HandleInputBuffer::underflow() {
  if (gptr() < egptr())
    return traits_type::to_int_type(*gptr());
  for (;;) {
    raw_.clear();
    if (carriageHeld_)
      raw_.push_back('\r');
    carriageHeld_ = false;
    bool more = readBlock();
    if (raw_.empty()) {
      setg(nullptr, nullptr, nullptr);
      return traits_type::eof();
    }
    std::size_t end = raw_.size();
    if (more && raw_.back() == '\r') {
      carriageHeld_ = true;
      --end;
    }
    folded_.clear();
    for (std::size_t at = 0; at < end; ++at) {
      if (!isCarriageBeforeLineFeed(raw_, at, end))
        folded_ += raw_[at];
    }
    if (folded_.empty())
      continue;
    setg(folded_.data(), folded_.data(), folded_.data() + folded_.size());
    return traits_type::to_int_type(*gptr());
  }
}

std::string HandleInputBuffer::takeUnread() {
  // Folding again up to the first unused character finds where it was read.
  std::size_t used = static_cast<std::size_t>(gptr() - eback());
  std::size_t end = raw_.size() - (carriageHeld_ ? 1 : 0);
  std::size_t at = 0;
  for (std::size_t folded = 0; folded < used; ++folded, ++at) {
    if (isCarriageBeforeLineFeed(raw_, at, end))
      ++at;
  }
  std::string unread = raw_.substr(at);
  raw_.clear();
  folded_.clear();
  carriageHeld_ = false;
  setg(nullptr, nullptr, nullptr);
  return unread;
}
