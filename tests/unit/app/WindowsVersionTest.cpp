#include "app/WindowsVersion.h"

#include "RegistrySeed.h"
#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

const std::string CurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

TEST(WindowsVersion, OnlyMajorVersion10FromBuild10240Passes)
{
    struct Case {
        OsVersion version;
        bool passes;
    };
    const Case cases[] = {
        {{10, 0, 10240}, true}, {{10, 0, 22631}, true}, {{10, 0, 10239}, false},
        {{11, 0, 22000}, false}, {{6, 3, 9600}, false}, {{6, 1, 7601}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsWindows10Or11(c.version), c.passes) << c.version.major << "." << c.version.build;
}

class ReportedVersionTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};

    void Text(const char* name, const char* text) { seed.SetString(RegRoot::LocalMachine, 0, CurrentVersion, name, text); }
};

TEST_F(ReportedVersionTest, RegistryRefinesAnApiVersionAboveWindows7)
{
    seed.SetDword(RegRoot::LocalMachine, 0, CurrentVersion, "CurrentMajorVersionNumber", 10);
    Text("CurrentVersion", "6.3");
    Text("CurrentBuild", "19045");
    const OsVersion reported = ReportedOsVersion({6, 2, 9200}, hive);
    EXPECT_EQ(reported.major, 10u);
    EXPECT_EQ(reported.build, 19045u);
}

TEST_F(ReportedVersionTest, FallsBackToCurrentVersionTextAndBuildNumber)
{
    Text("CurrentVersion", "6.3");
    Text("CurrentBuild", "unknown");
    Text("CurrentBuildNumber", "9600");
    const OsVersion reported = ReportedOsVersion({10, 0, 19045}, hive);
    EXPECT_EQ(reported.major, 6u);
    EXPECT_EQ(reported.build, 9600u);
}

// A REG_DWORD with two bytes of data holds no number: the text is read instead of
// the start-up ending on an error nobody catches.
TEST_F(ReportedVersionTest, MalformedMajorVersionNumberFallsBackToCurrentVersionText)
{
    seed.SetValue(RegRoot::LocalMachine, 0, CurrentVersion, "CurrentMajorVersionNumber",
                  RegValue{static_cast<std::uint32_t>(RegType::Dword), {10, 0}});
    Text("CurrentVersion", "6.3");
    Text("CurrentBuild", "9600");
    const OsVersion reported = ReportedOsVersion({6, 2, 9200}, hive);
    EXPECT_EQ(reported.major, 6u);
    EXPECT_EQ(reported.build, 9600u);
}

TEST_F(ReportedVersionTest, Windows7AndMissingValuesKeepTheApiNumbers)
{
    seed.SetDword(RegRoot::LocalMachine, 0, CurrentVersion, "CurrentMajorVersionNumber", 10);
    Text("CurrentBuild", "19045");
    const OsVersion win7 = ReportedOsVersion({6, 1, 7601}, hive);
    EXPECT_EQ(win7.major, 6u);
    EXPECT_EQ(win7.build, 7601u);

    MemoryRegistry empty;
    const OsVersion api = ReportedOsVersion({10, 0, 10240}, empty);
    EXPECT_EQ(api.major, 10u);
    EXPECT_EQ(api.build, 10240u);
}

}  // namespace
}  // namespace kestrova
