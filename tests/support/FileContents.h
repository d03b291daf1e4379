// Reading a whole file that a test expects to exist; a missing one fails the test.
#pragma once

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova {

inline std::string FileContents(FileSystem& fs, const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(fs.ReadWholeFile(path, bytes)) << "cannot read " << path;
    return bytes;
}

}  // namespace kestrova
