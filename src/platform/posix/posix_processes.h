// The child processes the POSIX platform starts: a connection attempt that
// may not outlast its time limit, and a program left to run on its own.
#pragma once

#include <chrono>
#include <string>

// True when a TCP connection to `host` at `port` succeeds within `timeout`.
// The attempt runs in a child process, killed when time is up, since neither
// the name lookup nor the connection can be bounded otherwise.
bool connectsWithin(const std::string& host, const std::string& port,
                    std::chrono::milliseconds timeout);

// Starts `program` with `argument`, detached from the terminal and from this
// process, and returns without waiting for it.
// False when `program` could not be started at all (not installed, say).
bool startDetached(const char* program, const std::string& argument);
