// The program's command line: no argument starts the dialogue; --help and
// --version answer and end; anything else is refused with the usage.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

// Exit status of a command line the program does not accept.
inline constexpr int badArgumentsStatus = 2;

// The arguments after the program's own name.
std::vector<std::string_view> commandLineArguments(int argc, char** argv);

// Nothing when the program should start its dialogue. Otherwise the program
// ends at once with the status returned, after the usage or the version has
// gone to `out`, or an error and the usage to `err`.
std::optional<int> answerArguments(const std::vector<std::string_view>& arguments,
                                   std::ostream& out, std::ostream& err);
