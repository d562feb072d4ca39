// Kalvex Terminal: an Italian-language multi-tool for the text console.
#include <iostream>

#include "console/console.h"
#include "platform/platform.h"
#include "shell/shell.h"

int main() {
  std::unique_ptr<Platform> platform = makeHostPlatform(std::cin, std::cout);
  Console console{std::cin, std::cout, *platform};
  return runShell(console);
}
