// What every list tab does alike, run once over a table of the lists: a rebuild
// writes the count, selects the first row and leaves the boxes live; F5 on the list
// rebuilds it; Delete asks with the list's own question and the row's caption, and No
// changes nothing; without a selected row Delete and Open are off and do nothing.
#include "ListTabsFixture.h"

#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

struct ListCase {
    const char* name;
    ListView MainWindow::*list;
    const char* statusBar;
    const char* refreshItem;
    const char* openItem;
    const char* deleteItem;
    const char* deleteQuestion;
};

const ListCase kLists[] = {
    {"context menu", &MainWindow::ListViewContextMenu, "StatusBarMenu", "ContextMenuUpdate", "ContextMenuRegOpen",
     "ContextMenuDelete", "LangDeleteContextMenu"},
    {"New menu", &MainWindow::ListViewNewMenu, "StatusBarNewMenu", "NewMenuMenuUpdate", "NewMenuRegOpen",
     "NewMenuMenuDelete", "LangDeleteNewMenu"},
    {"SendTo", &MainWindow::ListViewSendTo, "StatusBarSendTo", "SendToMenuUpdate", "SendToMenuOpenFolder",
     "SendToMenuDelete", "LangDeleteSendToMenu"},
    {"more places", &MainWindow::ListViewMorePlaces, "StatusBarMorePlaces", "MorePlacesMenuUpdate",
     "MorePlacesRegOpen", "MorePlacesMenuDelete", "LangDeleteMorePlaces"},
};

class ListTabsSharedTest : public ListTabsTest {
protected:
    ListView& List(const ListCase& c) { return (*form).*c.list; }
    std::string Count(const ListCase& c) { return form->Model().Get(c.statusBar).panels.at(1).text; }

    void PressF5(ListView& list)
    {
        form->ShowListPage(list);
        MSG f5{list.Handle(), WM_KEYDOWN, VK_F5, 0, 0, {}};
        EXPECT_TRUE(form->TranslateShortcut(f5));
        Pump();
    }
};

TEST_F(ListTabsSharedTest, ARebuildCountsSelectsTheFirstRowAndLeavesTheBoxesLive)
{
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        ListView& list = List(c);
        Fill(list, {"stale"});
        TabOf(list).Rebuild();
        EXPECT_EQ(Count(c), std::to_string(list.Count()));
        EXPECT_EQ(list.SelectedIndex(), list.Count() > 0 ? 0 : -1);
        EXPECT_FALSE(list.ChangesSilenced());
        for (std::size_t i = 0; i < list.Count(); ++i)
            EXPECT_NE(list.Row(i).caption, "stale");
        if (list.Count() > 0) {
            EXPECT_TRUE(form->MenuItemEnabled(c.deleteItem)) << "the first row is selected";
        }
        EXPECT_TRUE(form->MenuItemEnabled(c.refreshItem));
    }
}

TEST_F(ListTabsSharedTest, F5OnTheListRebuildsIt)
{
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        ListView& list = List(c);
        Fill(list, {"stale"});
        PressF5(list);
        EXPECT_EQ(Count(c), std::to_string(list.Count()));
        for (std::size_t i = 0; i < list.Count(); ++i)
            EXPECT_NE(list.Row(i).caption, "stale");
    }
}

TEST_F(ListTabsSharedTest, DeleteAsksWithTheListsQuestionAndTheRowsCaptionAndNoKeepsTheRow)
{
    messageBoxAnswer = IDNO;
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        ListView& list = List(c);
        list.Clear();
        Fill(list, {"first", "second"});
        Select(list, 1);
        messages.clear();
        form->ClickMenuItem(c.deleteItem);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, Widen(form->LangText(c.deleteQuestion) + " [second]"));
        EXPECT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.SelectedIndex(), 1) << "nothing was rebuilt";
    }
}

TEST_F(ListTabsSharedTest, WithoutASelectedRowOpenAndDeleteAreOffAndDoNothing)
{
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        ListView& list = List(c);
        Fill(list, {"first"});
        Select(list, 0);
        Select(list, -1);  // the user clears the selection
        Pump();
        EXPECT_FALSE(form->MenuItemEnabled(c.openItem));
        EXPECT_FALSE(form->MenuItemEnabled(c.deleteItem));
        EXPECT_TRUE(form->MenuItemEnabled(c.refreshItem));

        form->ClickMenuItem(c.deleteItem);
        form->ClickMenuItem(c.openItem);
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(shell_.opened.empty());
    }
}

}  // namespace
}  // namespace kestrova
