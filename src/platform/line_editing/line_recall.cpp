// The earlier lines the up arrow offers at a terminal.
#include "platform/line_editing/line_recall.h"

void LineRecall::expectCommandLine() { commandLineExpected_ = true; }

void LineRecall::rememberCommandLine(std::string_view line) {
  commandLineExpected_ = false;
  add(commandLines_, line);
}

void LineRecall::forgetCommandLines() { commandLines_.clear(); }

void LineRecall::lineTyped(std::string_view line) {
  if (!commandLineExpected_)
    add(answers_, line);
}

const RecallList& LineRecall::offered() const {
  return commandLineExpected_ ? commandLines_ : answers_;
}

// An empty line is nothing to come back to.
void LineRecall::add(RecallList& list, std::string_view line) {
  if (line.empty())
    return;
  list.emplace_back(line);
  if (list.size() > capacity)
    list.pop_front();
}
