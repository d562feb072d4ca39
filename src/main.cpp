// Kalvex Terminal: an Italian-language multi-tool for the text console.
#include <iostream>

#include "console/console.h"
#include "platform/platform.h"
#include "shell/arguments.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  if (std::optional<int> status =
          answerArguments(commandLineArguments(argc, argv), std::cout, std::cerr))
    return *status;
  std::unique_ptr<Platform> platform = makeHostPlatform(std::cin, std::cout, std::cerr);
  Console console{std::cin, std::cout, *platform};
  return runShell(console);
}
