// The answers typed at the console, read as lines: a line typed or piped
// from Windows ends in CR LF, which counts as one line end like LF (so does
// a CR that ends the input), and the
// reader knows where the current line stands so that what a command left of
// it can be dropped.
#pragma once

#include <istream>
#include <streambuf>

// Takes bytes one at a time from whatever buffer `source` reads through at
// that moment (a line editor may swap it), so it never holds input that a
// restart would have to hand over.
class LineInputBuffer : public std::streambuf {
 public:
  explicit LineInputBuffer(std::istream& source) : source_(source) {}

  // True when the last byte taken ended a line, or none was taken yet.
  bool atLineStart() const;

 protected:
  int_type underflow() override;

 private:
  std::istream& source_;
  char current_ = '\n';
  char previous_ = '\n';
};

// Made ready for the next command line: a failed read is cleared and the
// rest of the current line, if a command stopped within it, is dropped.
void dropRestOfLine(std::istream& in, const LineInputBuffer& buffer);
