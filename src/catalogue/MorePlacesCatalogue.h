// The catalogue of the other places Explorer takes menu entries from: the machine's and
// the user's classes, folder and desktop backgrounds, drives, right-drag handlers, This PC
// and the Recycle Bin, plus the user's own copies of the first list's locations. Read and
// written in the view Explorer uses: the 64-bit one on 64-bit Windows.
#pragma once

#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/MenuPlace.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

inline constexpr const char* kMorePlacesKind = "more-places";

// A text of the user's language by the name of the hidden item that holds it.
using ItemText = std::function<std::string(std::string_view item)>;

// The places in scan order: HKEY_LOCAL_MACHINE's, then HKEY_CURRENT_USER's. The shown
// texts come from `text` (LangPlace... items), or are the first list's file types.
std::vector<MenuPlace> MorePlaces(const ItemText& text);

class MorePlacesCatalogue : public ContextMenuCatalogue {
public:
    // The places' texts are looked up at each scan, in the language of that moment.
    // `otherAccount` names the account whose HKEY_CURRENT_USER this run sees when it is
    // not the signed-in user's; empty when it is.
    MorePlacesCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell, ItemText text,
                        std::string otherAccount = {});

    // "Per-user entries of DOMAIN\name" when the per-user rows are another account's.
    std::string StatusNote() const override;

protected:
    std::vector<MenuPlace> Places() const override { return MorePlaces(text_); }

private:
    ItemText text_;
    std::string otherAccount_;
};

}  // namespace kestrova
