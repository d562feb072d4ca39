// The file system of the machine the program runs on: the one place that
// picks the system's implementation.
#pragma once

#ifdef _WIN32
#include "platform/windows/windows_file_system.h"
using HostFileSystem = WindowsFileSystem;
#else
#include "platform/posix/posix_file_system.h"
using HostFileSystem = PosixFileSystem;
#endif
