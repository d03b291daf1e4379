// One list of the main window with the catalogue behind it: the rebuild, the user's
// check boxes, and the commands that act on a row (delete with a copy first, open the
// row's place, show the row an undo put back). Every list tab is one of these.
#pragma once

#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/ListCatalogue.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrova {

class CatalogueTab {
public:
    // `deleteQuestion` names the hidden item whose text asks before a delete;
    // `translatedTexts`: the rows hold texts of the user's language, so the list is built
    // once the language is applied and again when it changes.
    CatalogueTab(MainWindow& form, ListView& list, ListCatalogue& catalogue, UndoDeleteCommand& deletions,
                 std::string deleteQuestion, bool translatedTexts = false);

    const ListView& List() const { return list_; }
    // The name the catalogue's deletions carry.
    std::string_view Kind() const { return catalogue_.Kind(); }
    bool ShowsTranslatedTexts() const { return translatedTexts_; }

    // Empties the list and lets the catalogue fill it, its check boxes silent meanwhile;
    // writes the count to the status bar and selects the first row. Values the catalogue
    // could not read are raised as one AppError once the list is complete. Any other
    // error leaves the rows added so far, skips the count and the selection, and propagates.
    void Rebuild();
    // A user's change of a row's box; false when the switch failed or the row's entry
    // needs rights this run lacks (which a message says).
    bool SwitchRow(std::size_t index, bool checked);
    // Asks, then deletes the selected row's entry with its copy and rebuilds the list.
    void DeleteSelected();
    void OpenSelectedPlace();
    // Makes the selected row's entry show only with Shift, or always again; the list is
    // rebuilt with the same row selected.
    void SwitchSelectedOnlyWithShift();
    // After an undo put `entry` back: its page shown, the list rebuilt, its row selected.
    void ShowRestored(const DeletedEntry& entry);

private:
    // The rebuild without raising the report of unreadable values, which it returns.
    std::string Refill();
    // False, after saying so, when the row's entry needs administrator rights this run lacks.
    bool MayChange(const EntryRow& row);

    MainWindow& form_;
    ListView& list_;
    ListCatalogue& catalogue_;
    UndoDeleteCommand& deletions_;
    std::string deleteQuestion_;
    bool translatedTexts_;
};

}  // namespace kestrova
