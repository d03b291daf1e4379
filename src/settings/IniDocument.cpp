#include "settings/IniDocument.h"

#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFileWrite.h"
#include "platform/TextCase.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <utility>

namespace kestrova {

std::optional<int> ParseIniInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    // Hexadecimal digits are the 32 bits of the number; the sign then applies to it.
    std::int64_t value = base == 16 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude))
                                    : static_cast<std::int64_t>(magnitude);
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

IniDocument IniDocument::Parse(std::string_view bytes, unsigned ansiCodePage)
{
    IniDocument document(ansiCodePage);
    DecodedText decoded = DecodeText(bytes, ansiCodePage);
    document.encoding_ = decoded.encoding;
    const std::string& text = decoded.text;

    IniSection* current = nullptr;  // none before the first header and below a repeated one
    std::unordered_set<std::u16string> seen;  // folded names, so that many headers stay fast
    for (const std::string_view rawLine : SplitLines(text)) {
        const std::string_view line = TrimBlanks(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
            if (!seen.insert(CaseFolded(name)).second) {
                current = nullptr;
            } else {
                document.sections_.push_back({std::string(name), {}});
                current = &document.sections_.back();
            }
            continue;
        }
        if (!current)
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            current->entries.push_back({std::string(line), std::nullopt});
        else
            current->entries.push_back(
                {std::string(TrimBlanksRight(line.substr(0, equals))), std::string(TrimBlanksLeft(line.substr(equals + 1)))});
    }
    return document;
}

IniDocument IniDocument::Load(FileSystem& fs, const std::string& path, unsigned ansiCodePage)
{
    std::string bytes;
    if (fs.ReadWholeFile(path, bytes))
        return Parse(bytes, ansiCodePage);
    if (fs.GetPathKind(path) == PathKind::Missing)
        return IniDocument(ansiCodePage);
    throw AppError(FillPattern("Cannot open file \"%s\".", path));
}

std::string IniDocument::Serialize() const
{
    std::string text;
    for (const IniSection& section : sections_) {
        text += "[" + section.name + "]\r\n";
        for (const IniEntry& entry : section.entries)
            text += entry.value ? entry.key + "=" + *entry.value + "\r\n" : entry.key + "\r\n";
        text += "\r\n";
    }
    return EncodeText(text, encoding_, ansiCodePage_);
}

void IniDocument::Save(FileSystem& fs, const std::string& path) const
{
    if (!WriteFileAtomically(fs, path, Serialize()))
        throw AppError(FillPattern("Cannot create file \"%s\".", path));
}

const IniSection* IniDocument::FindSection(std::string_view name) const
{
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const IniSection& section) { return EqualsIgnoringCase(section.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

IniSection* IniDocument::FindSection(std::string_view name)
{
    return const_cast<IniSection*>(std::as_const(*this).FindSection(name));
}

const IniEntry* IniDocument::FindEntry(std::string_view section, std::string_view key) const
{
    const IniSection* found = FindSection(section);
    if (!found)
        return nullptr;
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(),
                                    [&](const IniEntry& e) { return EqualsIgnoringCase(e.key, key); });
    return entry == found->entries.end() ? nullptr : &*entry;
}

bool IniDocument::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool IniDocument::ValueExists(std::string_view section, std::string_view key) const
{
    const IniEntry* entry = FindEntry(section, key);
    return entry && entry->value;
}

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const IniSection* found = FindSection(section))
        for (const IniEntry& entry : found->entries)
            keys.push_back(entry.key);
    return keys;
}

std::vector<std::string> IniDocument::ReadSectionValues(std::string_view section) const
{
    std::vector<std::string> lines;
    if (const IniSection* found = FindSection(section))
        for (const IniEntry& entry : found->entries)
            lines.push_back(entry.value ? entry.key + "=" + *entry.value : entry.key);
    return lines;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    const IniEntry* entry = FindEntry(section, key);
    return entry && entry->value ? *entry->value : std::string(defaultValue);
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const IniEntry* entry = FindEntry(section, key);
    if (!entry || !entry->value)
        return defaultValue;
    return ParseIniInteger(*entry->value).value_or(defaultValue);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    IniSection* found = FindSection(section);
    if (!found) {
        sections_.push_back({std::string(section), {}});
        found = &sections_.back();
    }
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(),
                                    [&](const IniEntry& e) { return EqualsIgnoringCase(e.key, key); });
    if (entry != found->entries.end())
        entry->value = std::string(value);
    else
        found->entries.push_back({std::string(key), std::string(value)});
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    IniSection* found = FindSection(section);
    if (!found)
        return;
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(),
                                    [&](const IniEntry& e) { return EqualsIgnoringCase(e.key, key); });
    if (entry != found->entries.end())
        found->entries.erase(entry);
}

void IniDocument::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const IniSection& s) { return EqualsIgnoringCase(s.name, section); });
}

}  // namespace kestrova
