// The main window's list tabs: each list with the catalogue behind it and the question
// asked before a delete, in the order they are first filled. A new list is its catalogue
// and one more row in this table.
#pragma once

#include "app/CatalogueTab.h"
#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/EntryDetails.h"
#include "catalogue/MorePlacesCatalogue.h"
#include "catalogue/NewMenuCatalogue.h"
#include "catalogue/SendToCatalogue.h"
#include "catalogue/Windows11MenuCatalogue.h"
#include "catalogue/win32/Win32PackageSource.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"
#include "platform/win32/Win32EntryProbe.h"
#include "platform/win32/Win32VersionInfo.h"

#include <memory>
#include <string>
#include <vector>

namespace kestrova {

class ListTabs {
public:
    // `otherAccount`: the account whose per-user entries this run sees, when it is not
    // the signed-in user's; else empty.
    ListTabs(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
             UndoDeleteCommand& deletions, std::string otherAccount = {});

    // Every tab, in the table's order.
    std::vector<CatalogueTab*> All() const;
    // The SendTo catalogue, for the SendTo list's own commands.
    SendToCatalogue& SendTo() { return sendTo_; }
    Windows11MenuCatalogue& Windows11Menu() { return windows11Menu_; }

private:
    ContextMenuCatalogue contextMenu_;
    SendToCatalogue sendTo_;
    NewMenuCatalogue newMenu_;
    MorePlacesCatalogue morePlaces_;
    Win32PackageSource packages_;
    Windows11MenuCatalogue windows11Menu_;
    std::vector<std::unique_ptr<CatalogueTab>> tabs_;
    // The details columns of the registry lists.
    Win32EntryProbe probe_;
    Win32VersionInfo versions_;
    EntryDetails details_;
};

}  // namespace kestrova
