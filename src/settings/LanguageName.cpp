#include "settings/LanguageName.h"

#include <algorithm>

namespace kestrova {

namespace {

bool IsNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

}  // namespace

bool IsLanguageName(std::string_view name)
{
    if (name.empty() || name.front() == '.' || name.back() == '.' || name.find("..") != std::string_view::npos)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return c == '.' || IsNameCharacter(c); });
}

}  // namespace kestrova
