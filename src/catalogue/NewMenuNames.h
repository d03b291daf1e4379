// The New-menu catalogue's fixed names: the keys its walk never enters, the template
// key names, and the section texts that carry a row's registry view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrova {

inline constexpr std::string_view kNewMenuClassesPath = "SOFTWARE\\Classes";
inline constexpr std::string_view kShellNew = "ShellNew";
inline constexpr std::string_view kOldShellNew = "old_ShellNew";

// Keys directly below the classes key that hold no templates of their own
// (WOW6432Node, CLSID, ... and every name that begins with "{"). ASCII case rules.
bool IsSkippedClassName(std::string_view name);

// Subkeys the walk below a class key never enters (ShellNew, shell, DefaultIcon, ...).
// ASCII case rules.
bool IsNeverEnteredSubkeyName(std::string_view name);

// Values that make a template key usable: "NullFile" or "Data" by their mere presence,
// "FileName" or "Command" when they hold a non-empty string. ASCII case rules.
bool TemplateValueCountsByPresence(std::string_view valueName);
bool TemplateValueCountsByText(std::string_view valueName);

// "HKEY_LOCAL_MACHINE (32)" or "HKEY_LOCAL_MACHINE (64)" for a scan's access mask.
std::string NewMenuSection(std::uint32_t accessMask);

}  // namespace kestrova
