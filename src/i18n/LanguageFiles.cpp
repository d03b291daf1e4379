#include "i18n/LanguageFiles.h"

#include "settings/LanguageName.h"

#include "product/ProductNames.h"
#include "settings/IniDocument.h"

namespace kestrova {

namespace {

constexpr std::string_view kLanguageSection = "Language";
constexpr std::string_view kLanguageKey = "Language";

}  // namespace

std::string LanguageFolder(const LanguageContext& context) { return context.exeFolder + "Language\\"; }

std::string LanguageFilePath(const LanguageContext& context, std::string_view language)
{
    return LanguageFolder(context) + std::string(language) + ".ini";
}

std::string MissingKeyLogPath(std::string_view exeFolder)
{
    std::string_view folder = exeFolder;
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.remove_suffix(1);
    const std::size_t separator = folder.find_last_of("\\/");
    const std::string parent =
        separator == std::string_view::npos ? std::string(folder) + "\\" : std::string(folder.substr(0, separator + 1));
    return parent + kApplicationTitle + ".log";
}

std::string AcceptedLanguage(const LanguageContext& context, std::string_view stored)
{
    if (!IsLanguageName(stored) || !context.fs.FileExists(LanguageFilePath(context, stored)))
        return {};
    return std::string(stored);
}

std::string ReadStoredLanguage(const LanguageContext& context)
{
    return AcceptedLanguage(context, IniDocument::Load(context.fs, context.optionsPath(), context.ansiCodePage)
                                         .ReadString(kLanguageSection, kLanguageKey, ""));
}

std::string StoredLanguageFilePath(const LanguageContext& context)
{
    const std::string language = ReadStoredLanguage(context);
    return language.empty() ? std::string() : LanguageFilePath(context, language);
}

void StoreLanguage(const LanguageContext& context, std::string_view language)
{
    const std::string path = context.optionsPath();
    IniDocument options = IniDocument::Load(context.fs, path, context.ansiCodePage);
    options.WriteString(kLanguageSection, kLanguageKey, language);
    options.Save(context.fs, path);
}

}  // namespace kestrova
