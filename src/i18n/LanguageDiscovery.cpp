#include "i18n/LanguageDiscovery.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/TextCase.h"
#include "settings/IniDocument.h"

namespace kestrova {

namespace {

std::string WithoutExtension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string DisplayName(const LanguageContext& context, const std::string& path, const std::string& base)
{
    try {
        return IniDocument::Load(context.fs, path, context.ansiCodePage).ReadString("Language information", "LANGNAME", base);
    } catch (const std::exception&) {
        return base;
    }
}

}  // namespace

std::vector<LanguageMenuEntry> ListLanguageMenuEntries(const LanguageContext& context,
                                                       std::string_view currentLanguage)
{
    const std::string folder = LanguageFolder(context);
    std::vector<std::string> names;
    for (const FoundEntry& entry : context.fs.FindEntries(folder + "*.ini"))
        if (entry.name != "." && entry.name != "..")
            names.push_back(entry.name);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });

    std::vector<LanguageMenuEntry> entries;
    for (const std::string& name : names) {
        const std::string base = WithoutExtension(name);
        entries.push_back({base + "\t" + DisplayName(context, folder + name, base), IsCurrentLanguage(base, currentLanguage)});
    }
    return entries;
}

bool IsCurrentLanguage(std::string_view base, std::string_view currentLanguage)
{
    if (currentLanguage.empty())
        return false;  // no language chosen, whatever the files are called
    return EqualsIgnoringAsciiCase(base, currentLanguage) || std::string(base) + ".ini" == currentLanguage;
}

std::string LanguageOfCaption(std::string_view caption)
{
    const std::size_t tab = caption.find('\t');
    return tab == std::string_view::npos ? std::string() : std::string(caption.substr(0, tab));
}

}  // namespace kestrova
