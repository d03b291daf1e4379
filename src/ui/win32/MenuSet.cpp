#include "ui/win32/MenuSet.h"

#include "platform/AppError.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

std::wstring ItemText(const Component& item)
{
    std::wstring text = Widen(item.Get(TextAttribute::Caption));
    if (!item.menu.shortcut.empty())
        text += L"\t" + Widen(item.menu.shortcut);
    return text;
}

bool IsSeparator(const Component& item) { return item.Get(TextAttribute::Caption) == "-"; }

}  // namespace

MenuSet::~MenuSet()
{
    // Destroying a popup menu destroys its sub-menus with it.
    for (auto& [name, menu] : topLevel_)
        DestroyMenu(menu);
}

void MenuSet::Build(const WindowModel& model, std::string_view hiddenMenu, int firstCommandId)
{
    const auto& components = model.Components();
    for (std::size_t index = 0; index < components.size(); ++index) {
        const Component& component = components[index];
        if (component.kind == ComponentKind::PopupMenu && component.name != hiddenMenu) {
            HMENU menu = CreatePopupMenu();
            menus_.emplace(component.name, menu);
            topLevel_.emplace(component.name, menu);
            continue;
        }
        if (component.kind != ComponentKind::MenuItem)
            continue;
        auto owner = menus_.find(component.parent);
        if (owner == menus_.end())
            continue;  // an item of the hidden menu
        int commandId = firstCommandId + static_cast<int>(index);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        std::wstring text = ItemText(component);
        if (IsSeparator(component)) {
            info.fMask = MIIM_FTYPE | MIIM_ID;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
            info.fType = component.menu.radio ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = component.menu.checked ? MFS_CHECKED : MFS_UNCHECKED;
            info.dwTypeData = text.data();
        }
        info.wID = static_cast<UINT>(commandId);
        if (component.menu.subMenu || !model.Children(component.name).empty()) {
            HMENU subMenu = CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = subMenu;
            menus_.emplace(component.name, subMenu);
        }
        InsertMenuItemW(owner->second, GetMenuItemCount(owner->second), TRUE, &info);
        items_.emplace(component.name, Realised{owner->second, commandId});
        names_.emplace(commandId, component.name);
    }
}

HMENU MenuSet::Menu(std::string_view name) const
{
    auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

std::string MenuSet::ItemName(int commandId) const
{
    auto found = names_.find(commandId);
    return found == names_.end() ? std::string() : found->second;
}

const MenuSet::Realised& MenuSet::Find(std::string_view itemName) const
{
    auto found = items_.find(itemName);
    if (found == items_.end())
        throw AppError("no menu item " + std::string(itemName));
    return found->second;
}

void MenuSet::ApplyCaption(const Component& item)
{
    auto found = items_.find(item.name);
    if (found == items_.end() || IsSeparator(item))
        return;
    std::wstring text = ItemText(item);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(found->second.owner, static_cast<UINT>(found->second.commandId), FALSE, &info);
}

bool MenuSet::Enabled(std::string_view itemName) const
{
    const Realised& item = Find(itemName);
    UINT state = GetMenuState(item.owner, static_cast<UINT>(item.commandId), MF_BYCOMMAND);
    return !(state & (MF_DISABLED | MF_GRAYED));
}

void MenuSet::SetEnabled(std::string_view itemName, bool enabled)
{
    const Realised& item = Find(itemName);
    EnableMenuItem(item.owner, static_cast<UINT>(item.commandId), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuSet::Checked(std::string_view itemName) const
{
    const Realised& item = Find(itemName);
    return GetMenuState(item.owner, static_cast<UINT>(item.commandId), MF_BYCOMMAND) & MF_CHECKED;
}

void MenuSet::SetChecked(std::string_view itemName, bool checked)
{
    const Realised& item = Find(itemName);
    CheckMenuItem(item.owner, static_cast<UINT>(item.commandId), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kestrova
