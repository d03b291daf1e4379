// A key whose subkeys are menu entries (verbs below a shell key, handlers below a
// shellex key), with the registry view it is read and written in and the text its rows
// show for it.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstdint>
#include <string>

namespace kestrova {

struct MenuPlace {
    RegRoot root = RegRoot::LocalMachine;
    std::uint32_t viewBits = 0;
    std::string path;   // below `root`
    std::string shown;  // the rows' second column

    // Handlers are known by their key name; verbs by the caption they carry.
    bool HoldsHandlers() const { return path.find("\\shellex\\") != std::string::npos; }
};

}  // namespace kestrova
