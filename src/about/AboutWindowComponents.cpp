#include "about/AboutWindowComponents.h"

#include "product/ProductNames.h"

namespace kestrova {

WindowModel BuildAboutWindowComponents()
{
    using Kind = ComponentKind;
    WindowModel model("Form8", "О программе");
    model.Add(MakeComponent(Kind::TabControl, "TabControlBody", ""));
    model.Add(MakeComponent(Kind::Image, "Image1", "TabControlBody"));
    // The version and copyright lines are filled at run time.
    model.Add(MakeComponent(Kind::Label, "LabelVersion", "TabControlBody"));
    model.Add(MakeComponent(Kind::Label, "LabelCopyright", "TabControlBody"));
    model.Add(MakeComponent(Kind::LinkLabel, "LabelTelegram", "TabControlBody", "Telegram"));
    model.Add(MakeComponent(Kind::LinkLabel, "LabelGMail", "TabControlBody", kContactFirstMail));
    model.Add(MakeComponent(Kind::LinkLabel, "LabelYaMail", "TabControlBody", kContactSecondMail));
    model.Add(MakeComponent(Kind::LinkLabel, "LabelMainWebSite", "TabControlBody", "Сайт основной"));
    model.Add(MakeComponent(Kind::TabControl, "TabControlButtons", ""));
    model.Add(MakeComponent(Kind::Button, "Button1", "TabControlButtons", "Ok"));
    return model;
}

}  // namespace kestrova
