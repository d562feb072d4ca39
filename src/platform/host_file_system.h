// The file system of the machine the program runs on.
#pragma once

#include "platform/file_system.h"

FileSystem& hostFileSystem();
