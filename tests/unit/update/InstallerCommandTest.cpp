#include "update/InstallerCommand.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(QuickInstallParameters, NamesTheLanguageEvenWhenNoneWasChosen)
{
    EXPECT_EQ(QuickInstallParameters("English"),
              "/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English /MERGETASKS=\"runcmd1\"");
    EXPECT_EQ(QuickInstallParameters(""), "/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG= /MERGETASKS=\"runcmd1\"");
}

}  // namespace
}  // namespace kestrova
