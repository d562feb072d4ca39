// The function history and its @ command.
#include "settings/history.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "console/file_reading.h"
#include "console/input.h"

namespace {

constexpr std::string_view clearFailedMessage = "Errore: impossibile cancellare la cronologia.";

// The log as a text-mode read gives it: where text files end their lines
// with CR LF, each becomes LF. A CR closing a block waits in `carriageHeld`
// to see whether the next block starts with LF.
std::string asTextRead(std::string_view block, std::string_view lineEnd, bool& carriageHeld) {
  std::string text;
  if (carriageHeld)
    text += '\r';
  text += block;
  carriageHeld = false;
  if (lineEnd == "\n")
    return text;
  if (!text.empty() && text.back() == '\r') {
    carriageHeld = true;
    text.pop_back();
  }
  return foldLineEnds(std::move(text));
}

}  // namespace

Status appendHistory(FileSystem& files, std::string_view commandLine, bool ends) {
  std::string entry(commandLine);
  if (ends)
    entry += '\n';
  return files.appendText(historyFileName, entry);
}

Status writeHistory(FileSystem& files, std::ostream& out) {
  Result<std::unique_ptr<ReadableFile>> opened = files.openForReading(historyFileName);
  if (!opened.isOk())
    return opened.status();
  ReadableFile& file = **opened;
  std::uint64_t left = file.size();
  bool lineOpen = false;
  bool carriageHeld = false;
  char block[64 * 1024];
  while (left > 0) {
    std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof block));
    Result<std::size_t> got = file.read(block, wanted);
    if (!got.isOk() || *got == 0)
      break;
    left -= *got;
    std::string text = asTextRead(std::string_view(block, *got), files.textLineEnd(), carriageHeld);
    // Flushed once a block, not once a line: a long log lists at the speed
    // of a file copy.
    out << text;
    out.flush();
    if (!text.empty())
      lineOpen = text.back() != '\n';
  }
  if (carriageHeld) {
    out << '\r';
    lineOpen = true;
  }
  if (lineOpen)
    out << std::endl;
  return Status::ok();
}

Status clearHistory(FileSystem& files) { return files.truncate(historyFileName); }

void runHistoryCommand(Console& console) {
  std::ostream& out = console.out;
  out << "Vuoi vedere(v) o cancellare(c) la cronologia?" << std::endl << inputPrompt;
  std::string answer;
  readLine(console.in, answer);
  bool show = answer == "v" || answer == "V";
  bool clear = answer == "c" || answer == "C";
  // Any other answer leaves the file as it is.
  if (!show && !clear) {
    out << std::endl << std::endl << invalidFunctionMessage << std::endl << std::endl;
    return;
  }
  if (show) {
    out << std::endl << "Cronologia delle funzioni: " << std::endl << std::endl;
    // An unreadable file shows the header alone.
    [[maybe_unused]] Status shown = writeHistory(console.platform.files(), out);
    return;
  }
  if (!clearHistory(console.platform.files()).isOk()) {
    out << std::endl << clearFailedMessage << std::endl;
    return;
  }
  console.platform.forgetCommandLines();
  out << std::endl << "Fatto!" << std::endl;
}
