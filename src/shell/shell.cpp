// Start-up and the command loop.
#include "shell/shell.h"

#include "console/input.h"
#include "console/line_input.h"
#include "console/web.h"
#include "settings/history.h"
#include "settings/history_recall.h"
#include "settings/info_pages.h"
#include "settings/theme.h"
#include "shell/banner.h"
#include "shell/command_table.h"
#include "shell/shell_commands.h"

namespace {

void printInvalidCommand(std::ostream& out) {
  out << std::endl << invalidFunctionMessage << std::endl << std::endl;
}

void runHelpSite(Console& console) {
  if (!siteConfigured()) {
    openAddress(console, shippedPageAddress(shippedHelpPage));
    return;
  }
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
  console.platform.expectCommandLine();
  // The line is logged whole but held only in part: no command needs more,
  // and a huge line must not cost its size in memory.
  std::string entry;
  bool logged = true;
  auto log = [&](std::string_view block) {
    entry += block;
    if (entry.size() >= 64 * 1024) {
      logged = appendHistory(console.platform.files(), entry, false).isOk() && logged;
      entry.clear();
    }
  };
  bool read = readLine(console.in, line, log);
  console.out << std::endl;
  if (!read)
    return false;
  logged = appendHistory(console.platform.files(), entry).isOk() && logged;
  if (!logged && !historyFailureReported) {
    console.platform.reportError(historyAppendFailedMessage);
    historyFailureReported = true;
  }
  console.platform.rememberCommandLine(line);
  return true;
}

std::optional<int> runCommandLine(Console& console, const std::string& line) {
  if (line == "x") {
    exitProgram(console);
    return 0;
  }
  if (line == "helpsite") {
    runHelpSite(console);
    return std::nullopt;
  }
  const CommandEntry* entry = isOneCharAnswer(line) ? findCommand(line[0]) : nullptr;
  if (!entry) {
    printInvalidCommand(console.out);
    return std::nullopt;
  }
  entry->handler(console);
  switch (entry->after) {
    case AfterCommand::goOn:
      break;
    case AfterCommand::endProgram:
      return 0;
    case AfterCommand::restart:
      return restartProgram(console);
  }
  return std::nullopt;
}

void runStartup(Console& console) {
  Platform& platform = console.platform;
  platform.setTitle("Kalvex Terminal");
  std::string theme = loadSavedColourCommand(platform.files());
  applyColourCommand(platform, theme);
  platform.clearScreen();
  applyColourCommand(platform, theme);
  platform.clearScreen();
  applyColourCommand(platform, theme);
  printBanner(console.out);
}

int runShell(Console& typedConsole) {
  // Every command reads through this one line reader, so CR LF ends a line
  // for all of them and the loop knows what a command left of its line.
  LineInputBuffer lineInput(typedConsole.in);
  std::istream in(&lineInput);
  // Whatever was asked is shown before the answer is awaited, as the
  // program's own input stream does.
  in.tie(typedConsole.in.tie());
  Console console{in, typedConsole.out, typedConsole.platform};
  runStartup(console);
  offerHistoryForRecall(console.platform);
  std::string line;
  bool historyFailureReported = false;
  std::optional<int> status;
  for (;;) {
    printPromptBlock(console.out);
    // With nobody left to read the dialogue, carrying on would only keep
    // reading input and logging it.
    if (!outputStillWritten(console))
      return outputFailedStatus;
    if (!readCommandLine(console, line, historyFailureReported)) {
      exitProgram(console);
      status = 0;
      break;
    }
    status = runCommandLine(console, line);
    if (status)
      break;
    // What a command did not read of its last line is never a command.
    dropRestOfLine(console.in, lineInput);
  }
  return outputStillWritten(console) ? *status : outputFailedStatus;
}
