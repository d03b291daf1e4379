#include "catalogue/MorePlacesCatalogue.h"

#include "catalogue/ContextMenuNames.h"
#include "platform/AppError.h"

#include <utility>

namespace kestrova {

namespace {

// Explorer is a 64-bit process on 64-bit Windows; 32-bit Windows ignores the flag.
constexpr std::uint32_t kExplorerView = access::Wow64_64Key;

struct SharedPlace {
    std::string_view below;  // below the root's classes key
    const char* textItem;
};

constexpr SharedPlace kSharedPlaces[] = {
    {"AllFilesystemObjects\\shell", "LangPlaceAllObjects"},
    {"AllFilesystemObjects\\shellex\\ContextMenuHandlers", "LangPlaceAllObjects"},
    {"Directory\\Background\\shell", "LangPlaceFolderBackground"},
    {"Directory\\Background\\shellex\\ContextMenuHandlers", "LangPlaceFolderBackground"},
    {"DesktopBackground\\shell", "LangPlaceDesktop"},
    {"DesktopBackground\\shellex\\ContextMenuHandlers", "LangPlaceDesktop"},
    {"Drive\\shellex\\ContextMenuHandlers", "LangPlaceDrives"},
    {"LibraryFolder\\background\\shell", "LangPlaceFolderBackground"},
    {"Directory\\shellex\\DragDropHandlers", "LangPlaceRightDrag"},
    {"Drive\\shellex\\DragDropHandlers", "LangPlaceRightDrag"},
    {"Folder\\shellex\\DragDropHandlers", "LangPlaceRightDrag"},
    {"CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell", "LangPlaceThisPC"},
    {"CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell", "LangPlaceRecycleBin"},
};

void AddSharedPlaces(RegRoot root, const ItemText& text, std::vector<MenuPlace>& places)
{
    const std::string classes(ClassesPrefixOf(root));
    for (const SharedPlace& place : kSharedPlaces)
        places.push_back({root, kExplorerView, classes + std::string(place.below), text(place.textItem)});
}

}  // namespace

std::vector<MenuPlace> MorePlaces(const ItemText& text)
{
    std::vector<MenuPlace> places;
    AddSharedPlaces(RegRoot::LocalMachine, text, places);
    const std::string userClasses(kUserClassesPrefix);
    for (std::string_view location : kContextMenuLocations) {
        const std::string path = userClasses + std::string(location);
        places.push_back({RegRoot::CurrentUser, kExplorerView, path, GetEntryFileType(path, RegRoot::CurrentUser)});
    }
    AddSharedPlaces(RegRoot::CurrentUser, text, places);
    return places;
}

MorePlacesCatalogue::MorePlacesCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell, ItemText text,
                                         std::string otherAccount)
    : ContextMenuCatalogue(registry, files, shell, kMorePlacesKind), text_(std::move(text)),
      otherAccount_(std::move(otherAccount))
{
}

std::string MorePlacesCatalogue::StatusNote() const
{
    return otherAccount_.empty() ? std::string() : FillPattern(text_("LangPerUserEntriesOf"), otherAccount_);
}

}  // namespace kestrova
