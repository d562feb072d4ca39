// Standard input at a terminal, fetched one edited line at a time behind the
// std::istream the program already reads: formatted and whole-line reads
// work on the typed lines exactly as on a terminal's own line input.
#pragma once

#include <optional>
#include <streambuf>
#include <string>

#include "platform/line_editing/line_recall.h"
#include "platform/line_editing/line_tracking.h"

// Where edited lines come from: editline at a real terminal.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Lets the user edit one line after `prompt`, the visible text already on
  // the cursor's line, offering `recall` (oldest first) to the up arrow.
  // The line with its line end; nothing at the end of input.
  virtual std::optional<std::string> readLine(const std::string& prompt,
                                              const RecallList& recall) = 0;
};

class EditedInputBuffer : public std::streambuf {
 public:
  EditedInputBuffer(LineSource& source, LineTrackingBuffer& output, LineRecall& recall)
      : source_(source), output_(output), recall_(recall) {}
  EditedInputBuffer(const EditedInputBuffer&) = delete;
  EditedInputBuffer& operator=(const EditedInputBuffer&) = delete;

 protected:
  int_type underflow() override;

 private:
  LineSource& source_;
  LineTrackingBuffer& output_;
  LineRecall& recall_;
  std::string line_;
};
