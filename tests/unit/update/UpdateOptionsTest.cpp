// The update window's two stored options in the options document.
#include "update/UpdateOptions.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

constexpr unsigned kCodePage = 1251;

TEST(UpdateOptions, DefaultToCheckingAtStartUpWithoutUpdatingAtOnce)
{
    const UpdateOptions options = LoadUpdateOptions(IniDocument(kCodePage));
    EXPECT_TRUE(options.autoCheck);
    EXPECT_FALSE(options.autoUpdate);

    const UpdateOptions stored =
        LoadUpdateOptions(IniDocument::Parse("[option]\r\ncheckboxautocheck=0\r\nCheckBoxAutoUpdate=$1\r\n", kCodePage));
    EXPECT_FALSE(stored.autoCheck);
    EXPECT_TRUE(stored.autoUpdate);
}

TEST(UpdateOptions, SavesAutoCheckThenAutoUpdateBesideTheOtherKeys)
{
    IniDocument document = IniDocument::Parse("[Option]\r\nThemeDark=1\r\nCheckBoxAutoUpdate=1\r\n", kCodePage);
    SaveUpdateOptions(document, {false, false});
    EXPECT_EQ(document.Serialize(), "[Option]\r\nThemeDark=1\r\nCheckBoxAutoUpdate=0\r\nCheckBoxAutoCheck=0\r\n\r\n");
    IniDocument fresh(kCodePage);
    SaveUpdateOptions(fresh, {true, false});
    EXPECT_EQ(fresh.Serialize(), "[Option]\r\nCheckBoxAutoCheck=1\r\nCheckBoxAutoUpdate=0\r\n\r\n");
}

}  // namespace
}  // namespace kestrova
