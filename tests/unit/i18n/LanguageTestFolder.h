// A program folder for language tests: <scratch>\bin\ as the executable's folder with
// its Language\ folder, the options file and the missing-key log beside it.
#pragma once

#include "i18n/LanguageFiles.h"

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"

#include <string>

namespace kestrova {

class LanguageTestFolder {
public:
    LanguageTestFolder()
    {
        fs.MakeDirectory(root / "bin");
        fs.MakeDirectory(root / "bin\\Language");
    }

    std::string LanguageFile(const std::string& name) const { return root / ("bin\\Language\\" + name); }
    std::string LogPath() const { return root / "Kestrova.log"; }
    std::string OptionsPath() const { return root / "Option.ini"; }

    void Write(const std::string& path, const std::string& bytes) { fs.WriteWholeFile(path, bytes); }
    std::string Read(const std::string& path)
    {
        std::string bytes;
        fs.ReadWholeFile(path, bytes);
        return bytes;
    }
    void Choose(const std::string& language) { Write(OptionsPath(), "[Language]\r\nLanguage=" + language + "\r\n"); }

    PlatformFileSystem fs;
    ScratchFolder root{fs};
    LanguageContext context{fs, root / "bin\\", 1252, [this] { return OptionsPath(); }};
};

}  // namespace kestrova
