// Where the About window's link labels lead: the contact details, each opened by the shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct AboutLink {
    std::string_view component;  // the link label's name
    std::string target;          // the URL the shell opens
};

// The four links, in the window's order.
std::vector<AboutLink> AboutLinks();

}  // namespace kestrova
