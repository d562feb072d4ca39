// What the terminal shows on the cursor's line. A line editor redraws the
// line it edits, the question before the answer included, so it must know
// the text the program wrote there: "Path: ", say, or "Valore: ".
#pragma once

#include <streambuf>
#include <string>
#include <string_view>

// Passes the program's output on unchanged, keeping the text written after
// the last line end.
class LineTrackingBuffer : public std::streambuf {
 public:
  explicit LineTrackingBuffer(std::streambuf* target) : target_(target) {}

  // The text written since the last line end (or carriage return).
  const std::string& currentLine() const { return line_; }
  // The cursor went to a new line: the echo of an answer's Enter.
  void startNewLine() { line_.clear(); }
  std::streambuf* target() const { return target_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  void track(std::string_view text);

  std::streambuf* target_;
  std::string line_;
};

// `line` as it stands on the screen: escape sequences and control bytes
// dropped, tabs widened to the next multiple of eight columns.
std::string visibleText(std::string_view line);

// Takes the cursor from the end of `visible`, written from the first column
// of a terminal `columns` wide, back to where it began: to the first column,
// and up one row for each time the text wrapped.
std::string returnToLineStart(std::string_view visible, int columns);
