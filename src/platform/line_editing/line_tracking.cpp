// What the terminal shows on the cursor's line.
#include "platform/line_editing/line_tracking.h"

namespace {

// A program that writes a huge line without ever ending it gets its prompt
// redrawn from this much of it; nobody edits after such a prompt anyway.
constexpr std::size_t longestKept = 4096;

constexpr char escape = '\033';
constexpr char bell = '\007';
constexpr int tabWidth = 8;

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

bool isControl(char byte) {
  auto value = static_cast<unsigned char>(byte);
  return value < 0x20 || value == 0x7F;
}

// The length of the escape sequence at the start of `text`: CSI (ESC [ ...
// final byte), OSC (ESC ] ... BEL or ESC \), or a plain escape.
std::size_t escapeLength(std::string_view text) {
  if (text.size() < 2)
    return text.size();
  if (text[1] == '[') {
    std::size_t end = 2;
    while (end < text.size() && !(text[end] >= 0x40 && text[end] <= 0x7E))
      ++end;
    return end < text.size() ? end + 1 : end;
  }
  if (text[1] == ']') {
    for (std::size_t end = 2; end < text.size(); ++end) {
      if (text[end] == bell)
        return end + 1;
      if (text[end] == escape && end + 1 < text.size() && text[end + 1] == '\\')
        return end + 2;
    }
    return text.size();
  }
  // ESC, intermediate bytes (such as the "(" of a character set choice),
  // final byte.
  std::size_t end = 1;
  while (end < text.size() && text[end] >= 0x20 && text[end] <= 0x2F)
    ++end;
  return end < text.size() ? end + 1 : end;
}

// Columns taken by UTF-8 `text`: one per character.
int columnsOf(std::string_view text) {
  int columns = 0;
  for (char byte : text)
    columns += isContinuationByte(byte) ? 0 : 1;
  return columns;
}

}  // namespace

LineTrackingBuffer::int_type LineTrackingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return traits_type::not_eof(c);
  char byte = traits_type::to_char_type(c);
  track(std::string_view(&byte, 1));
  return target_->sputc(byte);
}

std::streamsize LineTrackingBuffer::xsputn(const char* data, std::streamsize size) {
  track(std::string_view(data, static_cast<std::size_t>(size)));
  return target_->sputn(data, size);
}

int LineTrackingBuffer::sync() { return target_->pubsync(); }

void LineTrackingBuffer::track(std::string_view text) {
  std::size_t lineEnd = text.find_last_of("\r\n");
  if (lineEnd != std::string_view::npos) {
    line_.clear();
    text.remove_prefix(lineEnd + 1);
  }
  line_.append(text);
  if (line_.size() > 2 * longestKept)
    line_.erase(0, line_.size() - longestKept);
}

std::string visibleText(std::string_view line) {
  std::string visible;
  int column = 0;
  while (!line.empty()) {
    char byte = line.front();
    if (byte == escape) {
      line.remove_prefix(escapeLength(line));
      continue;
    }
    line.remove_prefix(1);
    if (byte == '\t') {
      int spaces = tabWidth - column % tabWidth;
      visible.append(static_cast<std::size_t>(spaces), ' ');
      column += spaces;
      continue;
    }
    if (isControl(byte))
      continue;
    // A line kept only in part may begin inside a character.
    if (visible.empty() && isContinuationByte(byte))
      continue;
    visible += byte;
    column += isContinuationByte(byte) ? 0 : 1;
  }
  return visible;
}

std::string returnToLineStart(std::string_view visible, int columns) {
  int width = columnsOf(visible);
  // A text that fills a row exactly leaves the cursor on that row's last
  // column, not on the next row.
  int rowsUp = columns > 0 && width > 0 ? (width - 1) / columns : 0;
  std::string sequence = "\r";
  if (rowsUp > 0)
    sequence += "\033[" + std::to_string(rowsUp) + "A";
  return sequence;
}
