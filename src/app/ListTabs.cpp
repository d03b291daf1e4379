#include "app/ListTabs.h"

#include <utility>

namespace kestrova {

namespace {

struct ListTabRow {
    ListView& list;
    ListCatalogue& catalogue;
    const char* deleteQuestion;  // the hidden item whose text asks before a delete
    bool translatedTexts;        // rows that hold texts of the user's language
};

}  // namespace

ListTabs::ListTabs(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                   UndoDeleteCommand& deletions, std::string otherAccount)
    : contextMenu_(registry, files, shell), sendTo_(files, shell), newMenu_(registry, files, shell),
      morePlaces_(registry, files, shell, [&form](std::string_view item) { return form.LangText(item); },
                  std::move(otherAccount)),
      windows11Menu_(registry, files, shell, packages_), details_(registry, probe_, versions_)
{
    details_.words = [&form] {
        return DetailWords{form.LangText("LangMissingFile"), form.LangText("LangShowsAlways"),
                           form.LangText("LangShowsWithShift"), form.LangText("LangShowsNever")};
    };
    contextMenu_.SetDetails(&details_);
    newMenu_.SetDetails(&details_);
    morePlaces_.SetDetails(&details_);
    const ListTabRow table[] = {
        {form.ListViewContextMenu, contextMenu_, "LangDeleteContextMenu", false},
        {form.ListViewSendTo, sendTo_, "LangDeleteSendToMenu", false},
        {form.ListViewNewMenu, newMenu_, "LangDeleteNewMenu", false},
        {form.ListViewMorePlaces, morePlaces_, "LangDeleteMorePlaces", true},
        // Its rows are never deleted; the question is never asked.
        {form.ListViewWindows11Menu, windows11Menu_, "LangDeleteContextMenu", false},
    };
    for (const ListTabRow& row : table)
        tabs_.push_back(std::make_unique<CatalogueTab>(form, row.list, row.catalogue, deletions, row.deleteQuestion,
                                                       row.translatedTexts));
}

std::vector<CatalogueTab*> ListTabs::All() const
{
    std::vector<CatalogueTab*> tabs;
    for (const std::unique_ptr<CatalogueTab>& tab : tabs_)
        tabs.push_back(tab.get());
    return tabs;
}

}  // namespace kestrova
