// Descriptor helpers shared by the POSIX file and stream code.
#pragma once

#include <sys/types.h>

#include <cstddef>

// Opens `path` with `flags` without waiting on it: a FIFO with nobody at the
// other end opens (for reading) or fails (for writing) at once instead of
// blocking. Reads and writes on the descriptor then block as usual. -1 on
// failure.
int openWithoutWaiting(const char* path, int flags, mode_t mode = 0);

// Writes all `size` bytes, carrying on after signals. False after a failed
// write, with errno telling why (EIO when nothing could be written).
bool writeAll(int fd, const char* data, std::size_t size);

// Reads up to `size` bytes, carrying on after signals: the count, 0 at the
// end, -1 with errno telling why.
ssize_t readSome(int fd, char* data, std::size_t size);
