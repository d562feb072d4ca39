// Start-up and the command loop.
#include "shell/shell.h"

#include "console/input.h"
#include "console/web.h"
#include "settings/history.h"
#include "settings/history_recall.h"
#include "settings/theme.h"
#include "shell/banner.h"
#include "shell/command_table.h"
#include "shell/shell_commands.h"

namespace {

void printInvalidCommand(std::ostream& out) {
  out << std::endl << invalidFunctionMessage << std::endl << std::endl;
}

void runHelpSite(Console& console) {
  if (checkConnectivity(console)) {
    openWebPage(console, "/feedback");
    return;
  }
  console.out << std::endl << std::endl << networkErrorMessage << std::endl << std::endl;
}

// False, once said on standard error, when the output can no longer be
// written.
bool outputStillWritten(Console& console) {
  if (console.out.flush())
    return true;
  console.platform.reportOutputFailure();
  return false;
}

}  // namespace

bool readCommandLine(Console& console, std::string& line, bool& historyFailureReported) {
  // A tool whose formatted read failed leaves the stream failed and the rest
  // of the bad line pending; without this the loop would never read again.
  recoverFromFailedRead(console.in);
  console.platform.expectCommandLine();
  bool read = static_cast<bool>(std::getline(console.in, line));
  console.out << std::endl;
  if (!read)
    return false;
  if (!appendHistory(line) && !historyFailureReported) {
    console.platform.reportError(historyAppendFailedMessage);
    historyFailureReported = true;
  }
  console.platform.rememberCommandLine(line);
  return true;
}

bool runCommandLine(Console& console, const std::string& line) {
  if (line == "x") {
    exitProgram(console);
    return false;
  }
  if (line == "helpsite") {
    runHelpSite(console);
    return true;
  }
  const CommandEntry* entry = isOneCharAnswer(line) ? findCommand(line[0]) : nullptr;
  if (!entry) {
    printInvalidCommand(console.out);
    return true;
  }
  entry->handler(console);
  if (entry->endsProgram)
    return false;
  if (entry->discardAfter)
    discardOneChar(console.in);
  return true;
}

void runStartup(Console& console) {
  Platform& platform = console.platform;
  platform.setTitle("Kalvex Terminal");
  std::string theme = loadSavedColourCommand();
  applyColourCommand(platform, theme);
  platform.clearScreen();
  applyColourCommand(platform, theme);
  platform.clearScreen();
  applyColourCommand(platform, theme);
  printBanner(console.out);
}

int runShell(Console& console) {
  runStartup(console);
  offerHistoryForRecall(console.platform);
  std::string line;
  bool historyFailureReported = false;
  for (;;) {
    printPromptBlock(console.out);
    // With nobody left to read the dialogue, carrying on would only keep
    // reading input and logging it.
    if (!outputStillWritten(console))
      return outputFailedStatus;
    if (!readCommandLine(console, line, historyFailureReported)) {
      exitProgram(console);
      break;
    }
    if (!runCommandLine(console, line))
      break;
  }
  return outputStillWritten(console) ? 0 : outputFailedStatus;
}
