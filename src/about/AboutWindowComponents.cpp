#include "about/AboutWindowComponents.h"

#include "product/ProductNames.h"

#include <string>
#include <utility>

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
    const auto link = [&model](const char* name, std::string caption) {
        model.Add(WithCommand(MakeComponent(Kind::LinkLabel, name, "TabControlBody", std::move(caption)),
                              Command::OpenLink));
    };
    link("LabelTelegram", "Telegram");
    link("LabelGMail", kContactFirstMail);
    link("LabelYaMail", kContactSecondMail);
    link("LabelMainWebSite", "Сайт основной");
    model.Add(MakeComponent(Kind::TabControl, "TabControlButtons", ""));
    model.Add(WithCommand(MakeComponent(Kind::Button, "Button1", "TabControlButtons", "Ok"), Command::CloseWindow));
    return model;
}

}  // namespace kestrova
