// Starting a fresh instance of this program in the same console and waiting
// for it, with the input this instance read ahead handed on first, so that
// typed-ahead and piped input reach the new instance whole.
#pragma once

#include <optional>
#include <string>

// Runs `program` (a full path, no arguments) with this process's standard
// output and error. Its standard input yields `unread` first, then whatever
// this process's standard input still holds: a file is rewound, a console
// gets the bytes typed back in, and anything else (a pipe) is replaced by a
// pipe fed from here. The new instance's exit status, or nothing when it
// could not be started.
std::optional<unsigned long> runFreshInstance(const std::wstring& program,
                                              const std::string& unread);
