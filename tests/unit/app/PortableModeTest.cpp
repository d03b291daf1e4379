#include "app/PortableMode.h"

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(PortableMode, OnlyAFileNamedPortableIniCounts)
{
    PlatformFileSystem files;
    ScratchFolder withFile(files), withFolder(files), empty(files);
    ASSERT_TRUE(files.WriteEmptyFile(withFile / "portable.ini"));
    ASSERT_TRUE(files.MakeDirectory(withFolder / "portable.ini"));

    EXPECT_TRUE(HasPortableMarker(files, withFile.path()));
    EXPECT_FALSE(HasPortableMarker(files, withFolder.path()));
    EXPECT_FALSE(HasPortableMarker(files, empty.path()));
}

TEST(PortableMode, CaptionCarriesVersionBitnessAndPortable)
{
    EXPECT_EQ(MainWindowCaption("Kestrova", "1.0.0.0", false), "Kestrova 1.0.0.0 (32-bit)");
    EXPECT_EQ(MainWindowCaption("Kestrova", "2.5.0.11", true), "Kestrova 2.5.0.11 (32-bit) Portable");
}

}  // namespace
}  // namespace kestrova
