// The popup menus of a window, realised from its component model: items with their
// captions, shortcut texts, separators, radio and check marks, each with a command id.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "ui/ComponentModel.h"

namespace kestrova {

class MenuSet {
public:
    MenuSet() = default;
    ~MenuSet();
    MenuSet(const MenuSet&) = delete;
    MenuSet& operator=(const MenuSet&) = delete;

    // Realises every popup menu of the model except `hiddenMenu`, which only carries texts.
    // An item's command id is `firstCommandId` plus its index in the model.
    void Build(const WindowModel& model, std::string_view hiddenMenu, int firstCommandId);

    // The menu of a popup-menu component or of a sub-menu item; null for anything else.
    HMENU Menu(std::string_view name) const;
    // The item a command id belongs to; empty when none.
    std::string ItemName(int commandId) const;

    void ApplyCaption(const Component& item);
    bool Enabled(std::string_view itemName) const;
    void SetEnabled(std::string_view itemName, bool enabled);
    bool Checked(std::string_view itemName) const;
    void SetChecked(std::string_view itemName, bool checked);

private:
    struct Realised {
        HMENU owner = nullptr;  // the menu that holds the item
        int commandId = 0;
    };
    const Realised& Find(std::string_view itemName) const;

    std::map<std::string, HMENU, std::less<>> menus_;
    std::map<std::string, Realised, std::less<>> items_;
    std::map<int, std::string> names_;
    std::map<std::string, HMENU, std::less<>> topLevel_;
};

}  // namespace kestrova
