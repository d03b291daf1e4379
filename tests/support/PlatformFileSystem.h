// The real file system of the platform the tests run on: kernel32 on Windows (and under
// Wine), POSIX on Linux. Tests that need real files use it through this one name.
#pragma once

#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
namespace kestrova {
using PlatformFileSystem = Win32FileSystem;
}
#else
#include "platform/posix/PosixFileSystem.h"
namespace kestrova {
using PlatformFileSystem = PosixFileSystem;
}
#endif
