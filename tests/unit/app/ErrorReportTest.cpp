#include "app/ErrorReport.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(ErrorReport, FullStopIsAddedAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(ErrorReportText("Invalid data type for 'MUIVerb'"), "Invalid data type for 'MUIVerb'");
    EXPECT_EQ(ErrorReportText("Access denied"), "Access denied.");
    EXPECT_EQ(ErrorReportText("Why?"), "Why?.");
    EXPECT_EQ(ErrorReportText("Done."), "Done.");
    EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorReportText("Version 2-"), "Version 2-");
    EXPECT_EQ(ErrorReportText("\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0"),
              "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0.");
    EXPECT_EQ(ErrorReportText(""), "");
}

}  // namespace
}  // namespace kestrova
