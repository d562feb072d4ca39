// The banner shown at start-up and after a clear, and the prompt block
// before each command line.
#pragma once

#include <ostream>

void printBanner(std::ostream& out);
void printPromptBlock(std::ostream& out);
