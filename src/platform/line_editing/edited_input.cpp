// Standard input at a terminal, one edited line at a time.
#include "platform/line_editing/edited_input.h"

#include <string_view>

EditedInputBuffer::int_type EditedInputBuffer::underflow() {
  if (gptr() < egptr())
    return traits_type::to_int_type(*gptr());
  // The question must be on the screen before the editor redraws it.
  output_.pubsync();
  std::optional<std::string> typed =
      source_.readLine(visibleText(output_.currentLine()), recall_.offered());
  output_.startNewLine();
  if (!typed || typed->empty())
    return traits_type::eof();
  line_ = std::move(*typed);
  std::string_view answer(line_);
  if (answer.back() == '\n')
    answer.remove_suffix(1);
  recall_.lineTyped(answer);
  setg(line_.data(), line_.data(), line_.data() + line_.size());
  return traits_type::to_int_type(*gptr());
}
