// An INI text file held in memory: read whole, changed, written whole. Sections and
// keys are found without regard to case; the file's encoding is kept on writing.
#pragma once

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct IniEntry {
    std::string key;
    std::optional<std::string> value;  // none for a line without "="

    bool operator==(const IniEntry&) const = default;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;  // file order, duplicates included
};

class IniDocument {
public:
    // An empty document, written in `ansiCodePage` without a byte-order mark.
    explicit IniDocument(unsigned ansiCodePage) : ansiCodePage_(ansiCodePage) {}

    // The document in a file's bytes: the encoding from the byte-order mark, else the
    // ANSI code page.
    static IniDocument Parse(std::string_view bytes, unsigned ansiCodePage);
    // The document in the file at `path`; a missing file gives an empty document.
    // Throws AppError when the file exists but cannot be read.
    static IniDocument Load(FileSystem& fs, const std::string& path, unsigned ansiCodePage);

    // The file's bytes: each section as a header, its entries and one empty line, CR LF
    // line breaks, in the encoding the document was read in. Text that the ANSI code page
    // cannot hold is written as UTF-8 with a byte-order mark instead of being lost.
    std::string Serialize() const;
    // Writes the file whole or not at all; throws AppError when it could not be written,
    // and the previous file is then unchanged.
    void Save(FileSystem& fs, const std::string& path) const;

    TextEncoding Encoding() const { return encoding_; }
    const std::vector<IniSection>& Sections() const { return sections_; }
    bool SectionExists(std::string_view section) const;
    // Whether the key has an entry with a value.
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The keys of a section in order, those without a value included.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // A section's lines "key=value" in order (a key without a value alone).
    std::vector<std::string> ReadSectionValues(std::string_view section) const;

    // The value of the first entry of `key`, else `defaultValue`.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Decimal, or hexadecimal after "0x" (any case) or "$"; anything else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // An integer that is true when not 0.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Replaces the value of the first entry of `key`, or appends key=value to the section,
    // appending the section when it is missing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes the first entry of `key`.
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    const IniSection* FindSection(std::string_view name) const;
    IniSection* FindSection(std::string_view name);
    const IniEntry* FindEntry(std::string_view section, std::string_view key) const;

    unsigned ansiCodePage_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    std::vector<IniSection> sections_;
};

// Reads an integer as the options and language files write it: an optional sign, then
// decimal digits or hexadecimal ones after "0x", "0X" or "$"; nothing else in the text.
// Hexadecimal covers 32 bits ("$FFFFFFFF" is -1).
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace kestrova
