// The answers typed at the console, read as lines.
#include "console/line_input.h"

#include <limits>

bool LineInputBuffer::atLineStart() const {
  // While the byte last loaded is still unread, the one before it is the
  // last one taken.
  return (gptr() < egptr() ? previous_ : current_) == '\n';
}

LineInputBuffer::int_type LineInputBuffer::underflow() {
  std::streambuf* source = source_.rdbuf();
  if (source == nullptr)
    return traits_type::eof();
  int_type c = source->sbumpc();
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return c;
  if (c == '\r') {
    // CR LF is one line end, and so is a CR that ends the input.
    int_type next = source->sgetc();
    if (traits_type::eq_int_type(next, '\n')) {
      source->sbumpc();
      c = '\n';
    } else if (traits_type::eq_int_type(next, traits_type::eof())) {
      c = '\n';
    }
  }
  previous_ = current_;
  current_ = traits_type::to_char_type(c);
  setg(&current_, &current_, &current_ + 1);
  return c;
}

void dropRestOfLine(std::istream& in, const LineInputBuffer& buffer) {
  if (in.bad() || in.eof())
    return;
  // A read that failed stopped on an answer it could not use, even one
  // at the start of its line.
  bool failed = in.fail();
  in.clear();
  if (failed || !buffer.atLineStart())
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}
