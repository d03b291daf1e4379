// Where the language files, the stored language choice and the missing-key log are,
// and what the language code needs to reach them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace kestrova {

struct LanguageContext {
    FileSystem& fs;
    std::string exeFolder;  // ends in a backslash
    unsigned ansiCodePage;
    // The options file's path, computed afresh on every use.
    std::function<std::string()> optionsPath;
};

// The folder of the language files: the executable's folder + "Language\".
std::string LanguageFolder(const LanguageContext& context);

// The language file of a stored choice: LanguageFolder + name + ".ini".
std::string LanguageFilePath(const LanguageContext& context, std::string_view language);

// Kestrova.log in the parent folder of the executable's folder (for a program in a
// drive's root folder, that root folder).
std::string MissingKeyLogPath(std::string_view exeFolder);

// [Language] Language of the options file; empty when absent, or when it names no
// language file (AcceptedLanguage).
std::string ReadStoredLanguage(const LanguageContext& context);

// `stored` when it is a language name and Language\<stored>.ini is a file; else empty, as
// when no language was chosen.
std::string AcceptedLanguage(const LanguageContext& context, std::string_view stored);

// The language file of the stored choice; empty text when no language is chosen.
std::string StoredLanguageFilePath(const LanguageContext& context);

// Writes [Language] Language = language into the options file; throws AppError when the
// file cannot be read or written.
void StoreLanguage(const LanguageContext& context, std::string_view language);

}  // namespace kestrova
