#include "ui/ComponentModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/AppError.h"

namespace kestrova {
namespace {

struct RecordingObserver : ModelObserver {
    std::vector<std::string> events;
    void CaptionChanged(const std::string& caption) override { events.push_back("caption=" + caption); }
    void ComponentChanged(const Component& component) override { events.push_back(component.name); }
};

WindowModel SmallWindow()
{
    WindowModel model("FormX", "Title");
    model.Add(MakeComponent(ComponentKind::TabSheet, "Sheet", ""));
    Component list = MakeComponent(ComponentKind::ListView, "List", "Sheet");
    list.columns = {{"A", 10, 0, false, false}, {"B", 20, 0, false, true}};
    model.Add(list);
    Component bar = MakeComponent(ComponentKind::StatusBar, "Bar", "Sheet");
    bar.panels = {{"Items:", 80, true}, {"", 50, false}};
    model.Add(bar);
    Component tabs = MakeComponent(ComponentKind::TabControl, "Tabs", "");
    tabs.tabs = {"one"};
    model.Add(tabs);
    return model;
}

TEST(ComponentModel, KeepsComponentsInCreationOrderWithTheirParents)
{
    WindowModel model = SmallWindow();
    std::vector<std::string> names;
    for (const Component& component : model.Components())
        names.push_back(component.name + "<" + component.parent);
    EXPECT_EQ(names, (std::vector<std::string>{"Sheet<", "List<Sheet", "Bar<Sheet", "Tabs<"}));
    ASSERT_EQ(model.Children("Sheet").size(), 2u);
    EXPECT_EQ(model.Children("Sheet")[1]->name, "Bar");
}

TEST(ComponentModel, RefusesDuplicateNamesAndParentsThatComeLater)
{
    WindowModel model = SmallWindow();
    EXPECT_THROW(model.Add(MakeComponent(ComponentKind::GroupBox, "List", "")), AppError);
    EXPECT_THROW(model.Add(MakeComponent(ComponentKind::GroupBox, "Box", "Later")), AppError);
    EXPECT_THROW(model.Get("Missing"), AppError);
}

TEST(ComponentModel, KindDecidesWhichTextAttributesExist)
{
    struct Case {
        ComponentKind kind;
        std::vector<TextAttribute> present;
    };
    const Case cases[] = {
        {ComponentKind::MenuItem, {TextAttribute::Caption, TextAttribute::Hint}},
        {ComponentKind::GroupBox, {TextAttribute::Caption, TextAttribute::Hint}},
        {ComponentKind::ListView, {TextAttribute::Hint}},
        {ComponentKind::StatusBar, {TextAttribute::Hint}},
        {ComponentKind::PopupMenu, {}},
        {ComponentKind::ImageList, {}},
    };
    for (const Case& c : cases) {
        Component component = MakeComponent(c.kind, "C", "");
        for (TextAttribute attribute : kTextAttributes) {
            bool expected = std::find(c.present.begin(), c.present.end(), attribute) != c.present.end();
            EXPECT_EQ(component.Has(attribute), expected)
                << static_cast<int>(c.kind) << " " << AttributeName(attribute);
        }
    }
}

TEST(ComponentModel, SettersChangeTheTextAndTellTheObserver)
{
    WindowModel model = SmallWindow();
    RecordingObserver observer;
    model.SetObserver(&observer);

    model.SetText("Sheet", TextAttribute::Caption, "Files");
    model.SetColumnCaption("List", 1, "Path");
    model.SetPanelText("Bar", 1, "7");
    model.SetTab("Tabs", 0, "first");
    model.SetCaption("New title");

    EXPECT_EQ(model.Get("Sheet").Get(TextAttribute::Caption), "Files");
    EXPECT_EQ(model.Get("List").columns[1].caption, "Path");
    EXPECT_EQ(model.Get("Bar").panels[1].text, "7");
    EXPECT_EQ(model.Get("Tabs").tabs[0], "first");
    EXPECT_EQ(model.Caption(), "New title");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"Sheet", "List", "Bar", "Tabs", "caption=New title"}));
}

TEST(ComponentModel, SettersRefuseWhatTheComponentLacksAndChangeNothing)
{
    WindowModel model = SmallWindow();
    RecordingObserver observer;
    model.SetObserver(&observer);

    EXPECT_THROW(model.SetText("List", TextAttribute::Caption, "x"), AppError);
    EXPECT_THROW(model.SetColumnCaption("List", 2, "x"), AppError);
    EXPECT_THROW(model.SetPanelText("Bar", 2, "x"), AppError);
    EXPECT_THROW(model.SetTab("Tabs", 1, "x"), AppError);
    EXPECT_THROW(model.SetText("Nobody", TextAttribute::Hint, "x"), AppError);
    EXPECT_FALSE(model.Get("List").Has(TextAttribute::Caption));
    EXPECT_TRUE(observer.events.empty());
}

}  // namespace
}  // namespace kestrova
