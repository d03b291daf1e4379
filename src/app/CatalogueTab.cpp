#include "app/CatalogueTab.h"

#include "catalogue/ListLock.h"
#include "platform/AppError.h"
#include "platform/win32/NamedMutexLock.h"

#include <optional>
#include <utility>

namespace kestrova {

namespace {

// How long the window waits for a list that Kestrova.com is changing.
constexpr unsigned long kListLockTimeoutMs = 10000;

}  // namespace

CatalogueTab::CatalogueTab(MainWindow& form, ListView& list, ListCatalogue& catalogue, UndoDeleteCommand& deletions,
                           std::string deleteQuestion, bool translatedTexts)
    : form_(form), list_(list), catalogue_(catalogue), deletions_(deletions), deleteQuestion_(std::move(deleteQuestion)),
      translatedTexts_(translatedTexts)
{
}

bool CatalogueTab::MayChange(const EntryRow& row)
{
    if (catalogue_.MayChange(row))
        return true;
    form_.ShowGeneralError(form_.LangText("LangAdministratorNeeded"));
    return false;
}

std::string CatalogueTab::Refill()
{
    std::string unreadable;
    {
        const NamedMutexLock lock(ListLockName(catalogue_.Kind()), kListLockTimeoutMs);
        BulkUpdate bulk(list_);
        ListView::SilentChanges silent(list_);
        list_.Clear();
        ListViewRowSink rows(list_);
        unreadable = catalogue_.LoadRows(rows);
        list_.ApplySort();
        form_.SetStatusPanelText(form_.StatusBarNameOf(list_), 1, std::to_string(list_.Count()));
        if (std::string note = catalogue_.StatusNote(); !note.empty())
            form_.SetStatusPanelText(form_.StatusBarNameOf(list_), 2, std::move(note));
    }
    if (list_.Count() > 0)
        list_.SelectAndFocusFirstRow();
    return unreadable;
}

void CatalogueTab::Rebuild()
{
    if (const std::string unreadable = Refill(); !unreadable.empty())
        throw AppError(unreadable);
}

bool CatalogueTab::SwitchRow(std::size_t index, bool checked)
{
    if (index >= list_.Count())
        return true;
    EntryRow row = list_.Row(index);
    row.checked = checked;
    if (!MayChange(row))
        return false;
    std::optional<NamedMutexLock> lock;
    try {
        lock.emplace(ListLockName(catalogue_.Kind()), kListLockTimeoutMs);
    } catch (const AppError&) {
        return false;  // the command line is changing this list: the box is set back
    }
    return catalogue_.SwitchRow(row);
}

void CatalogueTab::DeleteSelected()
{
    const int selected = list_.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list_.Row(static_cast<std::size_t>(selected));
    if (!MayChange(row) || !form_.ConfirmDeletion(form_.LangText(deleteQuestion_), row.caption))
        return;
    // The list after a delete shows what is left; unreadable values were reported when it
    // was built and are not reported again.
    const NamedMutexLock lock(ListLockName(catalogue_.Kind()), kListLockTimeoutMs);
    if (deletions_.DeleteWithCopy(
            [&](DeletionBackup& backup, DeletionUndo& undo) { return catalogue_.DeleteRow(row, backup, undo); }))
        Refill();
}

void CatalogueTab::SwitchSelectedOnlyWithShift()
{
    const int selected = list_.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list_.Row(static_cast<std::size_t>(selected));
    if (!catalogue_.SwitchOnlyWithShift(row))
        return;
    const std::string unreadable = Refill();
    for (std::size_t i = 0; i < list_.Count(); ++i) {
        if (list_.Row(i).target == row.target) {
            list_.SelectAndFocusRow(i);
            break;
        }
    }
    if (!unreadable.empty())
        throw AppError(unreadable);
}

void CatalogueTab::OpenSelectedPlace()
{
    const int selected = list_.SelectedIndex();
    if (selected >= 0)
        catalogue_.OpenPlace(reinterpret_cast<WindowHandle>(form_.Handle()),
                             list_.Row(static_cast<std::size_t>(selected)));
}

void CatalogueTab::ShowRestored(const DeletedEntry& entry)
{
    form_.ShowListPage(list_);
    Rebuild();
    for (std::size_t index = 0; index < list_.Count(); ++index) {
        if (list_.Row(index).target == entry.row) {
            list_.SelectAndFocusRow(index);
            return;
        }
    }
}

}  // namespace kestrova
