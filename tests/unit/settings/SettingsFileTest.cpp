// Where the options file lives: beside the program in portable mode, else below the
// application-data folder and the company's folder; its folder is created on the way.
#include "settings/SettingsFile.h"

#include "FaultInjectingFileSystem.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "VersionResourceBuilder.h"
#include "platform/BlobVersionInfo.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

// The real file system with the application-data folder placed by the test; folder
// creation can be refused, so that no test writes outside its scratch folder.
class PlacedAppData : public FaultInjectingFileSystem {
public:
    using FaultInjectingFileSystem::FaultInjectingFileSystem;
    std::string appData;
    bool createFolders = true;
    std::string AppDataFolder() override { return appData; }
    bool MakeDirectory(const std::string& path) override
    {
        return createFolders && FaultInjectingFileSystem::MakeDirectory(path);
    }
};

class SettingsFileTest : public ::testing::Test {
protected:
    PlatformFileSystem real;
    ScratchFolder dir{real};
    PlacedAppData fs{real};
    BlobVersionInfo versionInfo;
    const std::string exe = dir / "Program\\Kestrova.exe";
    SettingsFile file{fs, versionInfo, exe, false, 1251};

    void SetUp() override
    {
        ASSERT_TRUE(real.MakeDirectory(dir / "Program"));
        fs.appData = dir / "AppData";
        SetCompany("Acme");
    }

    void SetCompany(const std::string& company)
    {
        versionInfo.SetResource(
            exe, VersionResourceBuilder().Translation(0x0409, 1252).String("040904E4", "CompanyName", company).Build());
    }
};

TEST_F(SettingsFileTest, GetAppDataFolderEndsInOneBackslashOrIsEmpty)
{
    const struct {
        std::string reported, expected;
    } cases[] = {{"C:\\Users\\Ann\\AppData\\Roaming", "C:\\Users\\Ann\\AppData\\Roaming\\"},
                 {"C:\\Roaming\\", "C:\\Roaming\\"},
                 {"", ""}};
    for (const auto& c : cases) {
        fs.appData = c.reported;
        EXPECT_EQ(GetAppDataFolder(fs), c.expected) << c.reported;
    }
}

TEST_F(SettingsFileTest, PortableModeKeepsTheFileBesideTheProgram)
{
    const SettingsFile portableFile{fs, versionInfo, exe, true, 1251};
    EXPECT_EQ(portableFile.OptionsPath(), dir / "Program\\Config\\Option.ini");
    EXPECT_TRUE(real.DirectoryExists(dir / "Program\\Config"));
    EXPECT_FALSE(real.DirectoryExists(dir / "AppData"));
}

TEST_F(SettingsFileTest, InstalledModePutsTheFileBelowAppDataCompanyAndTitle)
{
    ASSERT_TRUE(real.MakeDirectory(dir / "AppData"));
    const struct {
        std::string appData, company, expected;
    } cases[] = {
        {dir / "AppData", "Acme", dir / "AppData\\Acme\\Kestrova\\Config\\Option.ini"},
        {dir / "AppData\\", "Acme\\", dir / "AppData\\Acme\\Kestrova\\Config\\Option.ini"},
        // An empty company name leaves a doubled backslash, which the file system reads as one.
        {dir / "AppData", "", dir / "AppData\\\\Kestrova\\Config\\Option.ini"},
    };
    for (const auto& c : cases) {
        fs.appData = c.appData;
        SetCompany(c.company);
        EXPECT_EQ(file.OptionsPath(), c.expected) << c.company;
    }
    EXPECT_TRUE(real.DirectoryExists(dir / "AppData\\Acme\\Kestrova\\Config"));
    EXPECT_TRUE(real.DirectoryExists(dir / "AppData\\Kestrova\\Config"));
    EXPECT_FALSE(real.DirectoryExists(dir / "Program\\Config")) << "nothing beside the program";
}

TEST_F(SettingsFileTest, AFailedFolderLookupStillGivesAWellFormedPath)
{
    fs.appData = "";
    fs.createFolders = false;
    EXPECT_EQ(file.OptionsPath(), "\\Acme\\Kestrova\\Config\\Option.ini");
}

TEST_F(SettingsFileTest, AFolderThatCannotBeCreatedFailsOnlyTheWrite)
{
    fs.createFolders = false;
    const std::string path = file.OptionsPath();
    EXPECT_TRUE(file.Open().Sections().empty());
    IniDocument document(1251);
    document.WriteBool("Option", "ThemeDark", true);
    EXPECT_THROW(file.Write(document), std::exception);
    EXPECT_FALSE(real.FileExists(path));
}

}  // namespace
}  // namespace kestrova
