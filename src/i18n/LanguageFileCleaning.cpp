#include "i18n/LanguageFileCleaning.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/TextCase.h"

namespace kestrova {

namespace {

// Window and component names compare ignoring the case of A to Z only.
const WindowModel* FindWindow(const std::vector<const WindowModel*>& windows, std::string_view name)
{
    for (const WindowModel* window : windows)
        if (EqualsIgnoringAsciiCase(window->Name(), name))
            return window;
    return nullptr;
}

bool OwnsComponent(const WindowModel& window, std::string_view name)
{
    return std::any_of(window.Components().begin(), window.Components().end(),
                       [name](const Component& component) { return EqualsIgnoringAsciiCase(component.name, name); });
}

std::string_view BeforeFirstDot(std::string_view text) { return text.substr(0, text.find('.')); }

// Whether a key names an open window and, when it has a component part, a component of it.
bool NamesOpenComponent(std::string_view key, const std::vector<const WindowModel*>& windows)
{
    const WindowModel* window = FindWindow(windows, BeforeFirstDot(key));
    if (!window)
        return false;
    const std::string_view rest = key.substr(key.find('.') + 1);
    return rest.find('.') == std::string_view::npos || OwnsComponent(*window, BeforeFirstDot(rest));
}

bool IsKeptSection(std::string_view name)
{
    return EqualsIgnoringAsciiCase(name, "Language information") || EqualsIgnoringAsciiCase(name, "DestDir");
}

}  // namespace

bool CleanLanguageDocument(IniDocument& document, const std::vector<const WindowModel*>& windows)
{
    bool changed = false;
    std::vector<std::string> sectionNames;
    for (const IniSection& section : document.Sections())
        sectionNames.push_back(section.name);

    for (const std::string& section : sectionNames) {
        if (IsKeptSection(section))
            continue;
        const std::vector<std::string> keys = document.ReadSection(section);
        // Where each key first occurs. Repeats are keys the document itself cannot tell
        // apart: deleting one removes the first entry of any of them.
        std::map<std::u16string, std::size_t> firstOccurrence;
        for (std::size_t j = keys.size(); j-- > 0;)
            firstOccurrence[CaseFolded(keys[j])] = j;
        // From the last key to the first: deleting a key removes its first entry, so of a
        // repeated key the last entry is the one that stays.
        for (std::size_t j = keys.size(); j-- > 0;) {
            const std::string& key = keys[j];
            bool remove = key.find('.') == std::string::npos || !NamesOpenComponent(key, windows);
            // A repeat: an earlier equal key, which then also has a "." and the same window part.
            remove = remove || firstOccurrence.at(CaseFolded(key)) < j;
            if (remove) {
                document.DeleteKey(section, key);
                changed = true;
            }
        }
        if (document.ReadSection(section).empty()) {
            document.EraseSection(section);
            changed = true;
        }
    }
    return changed;
}

void CleanLanguageFiles(const std::vector<const WindowModel*>& windows, const LanguageContext& context)
{
    const std::string folder = LanguageFolder(context);
    for (const FoundEntry& entry : context.fs.FindEntries(folder + "*.ini")) {
        if (entry.name == "." || entry.name == "..")
            continue;
        const std::string path = folder + entry.name;
        try {
            if (!context.fs.FileExists(path) || !context.fs.CanOpenForWriting(path))
                continue;
            IniDocument document = IniDocument::Load(context.fs, path, context.ansiCodePage);
            if (CleanLanguageDocument(document, windows) && context.fs.CanOpenForWriting(path))
                document.Save(context.fs, path);
        } catch (const std::exception&) {
            // A file that cannot be read or written stays as it is.
        }
    }
}

}  // namespace kestrova
