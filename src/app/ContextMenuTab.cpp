#include "app/ContextMenuTab.h"

#include "platform/AppError.h"
#include "platform/RegistryEditorJump.h"

#include <string>

namespace kestrova {

namespace {

// Runs `action` when it goes out of scope, also while an error passes.
template <typename Action>
class AtScopeExit {
public:
    explicit AtScopeExit(Action action) : action_(action) {}
    ~AtScopeExit() { action_(); }
    AtScopeExit(const AtScopeExit&) = delete;
    AtScopeExit& operator=(const AtScopeExit&) = delete;

private:
    Action action_;
};

}  // namespace

ContextMenuTab::ContextMenuTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell)
    : form_(form), registry_(registry), files_(files), shell_(shell), catalogue_(registry, shell)
{
}

void ContextMenuTab::Wire()
{
    MainWindowHandlers& hooks = form_.handlers;
    hooks.LoadContextMenuList = [this] { LoadContextMenuList(); };
    hooks.OnContextMenuItemChecked = [this](std::size_t index, bool checked) {
        return ListViewContextMenuItemChecked(index, checked);
    };
    hooks.ContextMenuUpdateClick = [this] { ContextMenuUpdateClick(); };
    hooks.ContextMenuDeleteClick = [this] { ContextMenuDeleteClick(); };
    hooks.ContextMenuRegOpenClick = [this] { ContextMenuRegOpenClick(); };
}

void ContextMenuTab::LoadContextMenuList()
{
    ListView& list = form_.ListViewContextMenu;
    std::string malformed;
    form_.FLoading = true;
    AtScopeExit clearLoading([this] { form_.FLoading = false; });
    {
        BulkUpdate bulk(list);
        list.SetCheckHandlerAttached(false);
        AtScopeExit reattach([&list] { list.SetCheckHandlerAttached(true); });
        list.Clear();
        ListViewRowSink rows(list);
        malformed = catalogue_.LoadRows(rows);
        form_.SetStatusPanelText(form_.StatusBarNameOf(list), 1, std::to_string(list.Count()));
    }
    if (list.Count() > 0)
        list.SelectAndFocusFirstRow();
    if (!malformed.empty())
        throw AppError(malformed);
}

bool ContextMenuTab::ListViewContextMenuItemChecked(std::size_t index, bool checked)
{
    const ListView& list = form_.ListViewContextMenu;
    if (form_.FLoading || index >= list.Count())
        return true;
    EntryRow row = list.Row(index);
    row.checked = checked;
    return catalogue_.SwitchRow(row);
}

void ContextMenuTab::ContextMenuUpdateClick()
{
    LoadContextMenuList();
}

void ContextMenuTab::ContextMenuDeleteClick()
{
    const ListView& list = form_.ListViewContextMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    if (form_.ConfirmDeletion(form_.LangText("LangDeleteContextMenu"), list.Row(selected).caption))
        DeleteContextMenuItem();
}

void ContextMenuTab::DeleteContextMenuItem()
{
    const ListView& list = form_.ListViewContextMenu;
    const int current = list.SelectedIndex();
    if (current < 0)
        return;
    // A failed deletion, or a failed rebuild after it, changes nothing the user sees.
    try {
        if (catalogue_.DeleteContextMenuItem(list.Row(current)))
            LoadContextMenuList();
    } catch (const AppError&) {
    }
}

void ContextMenuTab::ContextMenuRegOpenClick()
{
    const ListView& list = form_.ListViewContextMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list.Row(selected);
    if (row.subItems.size() >= 3)
        OpenRegeditAt(registry_, files_, shell_, row.subItems[1], row.subItems[2]);
}

}  // namespace kestrova
