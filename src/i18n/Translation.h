// The language engine's lookups: one window's texts replaced by the entries of a
// language file's section, each key <Window>.<Component>.<Attribute> used once, and the
// keys looked up in vain collected for the missing-key log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/ComponentModel.h"

namespace kestrova {

// The state of one window's run (TTranslation).
struct Translation {
    WindowModel* Form = nullptr;
    std::vector<std::string> Values;   // the section's lines key=value not used yet
    std::vector<std::string> Missing;  // the log: its earlier lines, then key=text of failed lookups
    std::string Section;
};

// Texts that are neither looked up nor logged: empty text, "-" (a menu separator) and a
// whole 32-bit integer.
bool IsNeverLookedUp(std::string_view text);

// Components whose texts are filled at run time and so are never translated.
bool IsNeverTranslated(std::string_view window, std::string_view component);

// The index in Values of the first line whose key (the text before its first "=")
// equals `key` without regard to letter case; -1 when there is none.
int FindTranslationLine(const Translation& translation, std::string_view key);

// The value of the key's line, which is then removed from Values; without one, the line
// key=defaultText goes to Missing and defaultText is returned.
std::string LookupTranslation(Translation& translation, std::string_view key, const std::string& defaultText);

// Translates one text attribute of a component of translation.Form; an empty
// translation leaves the attribute as it was.
void TranslateProperty(Translation& translation, TextAttribute attribute, const Component& component);

// Translates a text the caller holds (a column caption, a panel's text) in place.
void TranslateText(Translation& translation, std::string& text, std::string_view key);

// Translates each line i of `lines` under the key prefix + "[" + i + "]".
void TranslateStrings(Translation& translation, std::vector<std::string>& lines, std::string_view prefix);

// Applies the lines of translation.Values to translation.Form: its caption (not the main
// window's; the update window's gets " Kestrova" appended), then every component's text
// attributes, list-view columns, tab texts and the first panel of a status bar.
void TranslateWindowTexts(Translation& translation);

}  // namespace kestrova
