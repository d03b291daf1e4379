#include "app/Windows11MenuCommands.h"

#include "platform/TextCase.h"
#include "platform/win32/WideString.h"
#include "product/ProductNames.h"

#include <utility>

namespace kestrova {

namespace {

constexpr const char* kCheckBox = "CheckBoxClassicMenu";
constexpr const char* kStatusBar = "StatusBarWindows11Menu";
constexpr std::size_t kRestartPanel = 2;

}  // namespace

Windows11MenuCommands::Windows11MenuCommands(MainWindow& form, Windows11MenuCatalogue& catalogue,
                                             ClassicMenuSwitch& classic, UndoDeleteCommand& deletions,
                                             std::uint32_t osBuild, std::function<bool()> restartExplorer)
    : form_(form), classic_(classic), deletions_(deletions), windows11_(osBuild >= kFirstWindows11Build),
      restartExplorer_(std::move(restartExplorer))
{
    catalogue.loaded = [this] { ShowClassicMenu(); };
}

void Windows11MenuCommands::ShowClassicMenu()
{
    const bool on = classic_.IsOn();
    // A change seen at a rebuild (an undo put the key back) needs the restart as well.
    if (classicOn_ && *classicOn_ != on)
        NoteRestartNeeded(true);
    classicOn_ = on;
    form_.SetControlChecked(kCheckBox, on);
    form_.SetControlEnabled(kCheckBox, windows11_);
    form_.SetControlVisible("LabelClassicMenu", !windows11_);
}

void Windows11MenuCommands::SwitchClassicMenu()
{
    const bool wanted = form_.ControlChecked(kCheckBox);
    const bool was = classic_.IsOn();
    if (windows11_ && wanted != was) {
        if (wanted)
            deletions_.DeleteWithCopy([&](DeletionBackup& backup, DeletionUndo&) { return classic_.TurnOn(backup); });
        else
            deletions_.DeleteWithCopy(
                [&](DeletionBackup& backup, DeletionUndo& undo) { return classic_.TurnOff(backup, undo); });
    }
    ShowClassicMenu();
    if (classic_.IsOn() != was)
        NoteRestartNeeded(true);
}

void Windows11MenuCommands::RowSwitched(std::size_t index, bool checked)
{
    ListView& list = form_.ListViewWindows11Menu;
    if (index >= list.Count())
        return;
    const std::u16string clsid = CaseFolded(list.Row(index).target.classKey);
    for (std::size_t other = 0; other < list.Count(); ++other)
        if (other != index && CaseFolded(list.Row(other).target.classKey) == clsid)
            list.SetCheckedSilently(other, checked);
    NoteRestartNeeded(true);
}

void Windows11MenuCommands::RestartExplorer()
{
    if (restartExplorer_ && restartExplorer_()) {
        NoteRestartNeeded(false);
        return;
    }
    form_.messageBox(form_.Handle(), Widen(form_.LangText("LangRestartExplorerFailed")),
                     Widen(kApplicationTitle), MB_OK | MB_ICONINFORMATION);
}

void Windows11MenuCommands::NoteRestartNeeded(bool needed)
{
    form_.SetStatusPanelText(kStatusBar, kRestartPanel, needed ? form_.LangText("LangRestartExplorerNeeded") : "");
}

}  // namespace kestrova
