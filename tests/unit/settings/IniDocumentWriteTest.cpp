// INI documents on disk: a missing file reads as empty, and a write is whole or not at
// all: whichever step of it fails, the previous file stays as it was.
#include "settings/IniDocument.h"

#include "FaultInjectingFileSystem.h"
#include "FileContents.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "platform/AppError.h"
#include "platform/AtomicFileWrite.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

constexpr unsigned kCyrillicCodePage = 1251;

class IniDocumentWriteTest : public ::testing::Test {
protected:
    PlatformFileSystem fs;
    ScratchFolder dir{fs};
    const std::string path = dir / "Option.ini";

    std::string Contents() { return FileContents(fs, path); }
};

TEST_F(IniDocumentWriteTest, AMissingFileIsAnEmptyDocumentAndAnUnreadableOneAnError)
{
    const IniDocument missing = IniDocument::Load(fs, path, kCyrillicCodePage);
    EXPECT_TRUE(missing.Sections().empty());
    EXPECT_EQ(missing.Encoding(), TextEncoding::Ansi);

    ASSERT_TRUE(fs.MakeDirectory(path)) << "a folder where the file should be";
    EXPECT_THROW(IniDocument::Load(fs, path, kCyrillicCodePage), AppError);
}

TEST_F(IniDocumentWriteTest, SavingWritesTheDocumentThatLoadingReadsBack)
{
    IniDocument document(kCyrillicCodePage);
    document.WriteInteger("Option", "Height", 600);
    document.Save(fs, path);
    EXPECT_EQ(Contents(), "[Option]\r\nHeight=600\r\n\r\n");
    EXPECT_EQ(IniDocument::Load(fs, path, kCyrillicCodePage).ReadInteger("Option", "Height", 0), 600);
    EXPECT_FALSE(fs.FileExists(TemporaryPathFor(path)));

    EXPECT_THROW(document.Save(fs, dir / "Missing\\Option.ini"), AppError);
}

TEST_F(IniDocumentWriteTest, AFailureAtAnyStepOfTheWriteKeepsThePreviousFileWhole)
{
    const std::string previous = "[Option]\r\nHeight=600\r\n\r\n";
    ASSERT_TRUE(fs.WriteWholeFile(path, previous));
    IniDocument changed = IniDocument::Load(fs, path, kCyrillicCodePage);
    changed.WriteInteger("Option", "Height", 700);
    changed.WriteString("Option", "Padding", std::string(10000, 'x'));

    FaultInjectingFileSystem faulty(fs);
    for (const FileFault fault : {FileFault::WriteFailsAtOnce, FileFault::WriteFailsHalfway, FileFault::ReplaceFails}) {
        faulty.fault = fault;
        EXPECT_THROW(changed.Save(faulty, path), AppError) << static_cast<int>(fault);
        EXPECT_EQ(Contents(), previous) << static_cast<int>(fault);
        EXPECT_FALSE(fs.FileExists(TemporaryPathFor(path))) << static_cast<int>(fault);
    }

    // A crash just before the rename leaves the new text in the temporary file only; the
    // next write goes over it.
    faulty.fault = FileFault::CrashBeforeReplace;
    EXPECT_THROW(changed.Save(faulty, path), SimulatedCrash);
    EXPECT_EQ(Contents(), previous);
    faulty.fault = FileFault::None;
    changed.Save(faulty, path);
    EXPECT_EQ(IniDocument::Load(fs, path, kCyrillicCodePage).ReadInteger("Option", "Height", 0), 700);
    EXPECT_FALSE(fs.FileExists(TemporaryPathFor(path)));
}

}  // namespace
}  // namespace kestrova
