// What a menu entry looks like to the user of Explorer and where it comes from: the text
// Explorer shows, the program file that runs, that file's company, and when the entry
// shows. Read from the registry, the files' version information and the system's
// indirect strings; version information is read once per distinct file and scan.
#pragma once

#include "catalogue/EntryRow.h"
#include "platform/EntryProbe.h"
#include "platform/RegistryBackend.h"
#include "platform/VersionInfoApi.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The kinds of entry whose details are told apart.
enum class EntryDetailKind { Verb, Handler, NewMenuTemplate };

// The translated words of the detail columns.
struct DetailWords {
    std::string missing = "(missing)";  // after a program path whose file does not exist
    std::string always = "always";
    std::string withShift = "with Shift";
    std::string never = "never";
};

struct EntryDetailTexts {
    std::string shownAs;
    std::string program;  // with the missing-file word when the file does not exist
    std::string company;
    std::string shows;
    bool programMissing = false;
    // Where the row's icon comes from ("path,index", environment strings expanded): the
    // entry's Icon value, else its existing program file; empty for the generic icon.
    std::string icon;

    // The four columns, in the order the lists show them.
    std::vector<std::string> Columns() const { return {shownAs, program, company, shows}; }
    bool operator==(const EntryDetailTexts&) const = default;
};

// `text` without its menu accelerators: a single "&" goes, "&&" becomes "&".
std::string RemoveAccelerators(std::string_view text);

// The program a command line runs, its environment strings already expanded: the quoted
// part of a line that starts with a quote; else the shortest run of words up to a space
// or the end that `isFile` finds, else that ends in .exe, .com, .bat or .cmd, else the
// first word. Arguments never belong to it.
std::string CommandProgram(std::string_view commandLine, const std::function<bool(const std::string&)>& isFile = {});

// An icon location "path,index" split: the path without quotes, and the index (zero-based
// when positive, a resource id when negative; 0 when there is none).
struct IconLocation {
    std::string path;
    int index = 0;
    bool operator==(const IconLocation&) const = default;
};
IconLocation ParseIconLocation(std::string_view text);

// A CLSID in braces ("{...}" of 38 characters).
bool LooksLikeClsid(std::string_view text);

class EntryDetails {
public:
    EntryDetails(RegistryBackend& registry, EntryProbe& probe, const VersionInfoApi& versions);

    // Starts a scan: takes the words to use and forgets what the last scan read from files.
    void BeginScan(DetailWords words);
    // Starts a scan with the words `words` gives (the built-in ones when it is empty).
    void BeginScan() { BeginScan(words ? words() : DetailWords{}); }

    // The words of the language in use, asked for at the start of each scan.
    std::function<DetailWords()> words;

    // The details of the entry whose key is `source` (for a switched-off entry, its key in
    // the backup area; for a template, its ShellNew key with the class key beside it).
    EntryDetailTexts Read(const EntryTarget& source, EntryDetailKind kind);

    // How many times version information was read since the scan began.
    std::size_t VersionReads() const { return versionReads_; }

private:
    struct FileFacts {
        bool exists = false;
        std::string company;
        std::optional<std::string> description;  // read when first needed
    };

    void ReadVerb(const EntryTarget& source, EntryDetailTexts& texts);
    void ReadHandler(const EntryTarget& source, EntryDetailTexts& texts);
    void ReadTemplate(const EntryTarget& source, EntryDetailTexts& texts);
    // Fills program, company and the missing flag from an expanded program path.
    // Returns the full path of an existing program file, else empty.
    std::string SetProgram(const std::string& program, EntryDetailTexts& texts);
    // The program file a CLSID's server names, or empty.
    std::string ClsidServer(const std::string& clsid);
    std::optional<std::string> ReadString(RegRoot root, std::uint32_t view, const std::string& path,
                                          const std::string& name);
    // The text itself, or what it refers to when it is an indirect string (empty when
    // that does not resolve).
    std::string Resolve(const std::string& text);
    std::string FullProgramPath(const std::string& program);
    FileFacts& Facts(const std::string& path);
    const std::string& Description(const std::string& path);
    std::uint32_t ClsidView();

    RegistryBackend& registry_;
    EntryProbe& probe_;
    const VersionInfoApi& versions_;
    DetailWords words_;
    std::optional<bool> windows64_;
    std::map<std::string, FileFacts> files_;  // by upper-cased path, for the scan under way
    std::size_t versionReads_ = 0;
};

}  // namespace kestrova
