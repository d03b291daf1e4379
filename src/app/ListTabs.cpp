#include "app/ListTabs.h"

namespace kestrova {

namespace {

struct ListTabRow {
    ListView& list;
    ListCatalogue& catalogue;
    const char* deleteQuestion;  // the hidden item whose text asks before a delete
};

}  // namespace

ListTabs::ListTabs(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                   UndoDeleteCommand& deletions)
    : contextMenu_(registry, files, shell), sendTo_(files, shell), newMenu_(registry, files, shell),
      details_(registry, probe_, versions_)
{
    details_.words = [&form] {
        return DetailWords{form.LangText("LangMissingFile"), form.LangText("LangShowsAlways"),
                           form.LangText("LangShowsWithShift"), form.LangText("LangShowsNever")};
    };
    contextMenu_.SetDetails(&details_);
    newMenu_.SetDetails(&details_);
    const ListTabRow table[] = {
        {form.ListViewContextMenu, contextMenu_, "LangDeleteContextMenu"},
        {form.ListViewSendTo, sendTo_, "LangDeleteSendToMenu"},
        {form.ListViewNewMenu, newMenu_, "LangDeleteNewMenu"},
    };
    for (const ListTabRow& row : table)
        tabs_.push_back(std::make_unique<CatalogueTab>(form, row.list, row.catalogue, deletions, row.deleteQuestion));
}

std::vector<CatalogueTab*> ListTabs::All() const
{
    std::vector<CatalogueTab*> tabs;
    for (const std::unique_ptr<CatalogueTab>& tab : tabs_)
        tabs.push_back(tab.get());
    return tabs;
}

}  // namespace kestrova
