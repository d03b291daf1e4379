#include "catalogue/EntryDetails.h"

#include "platform/AsciiText.h"
#include "platform/FileInfoUtils.h"
#include "platform/PathNames.h"
#include "platform/RegKey.h"
#include "platform/RegValueData.h"

#include <algorithm>
#include <utility>

namespace kestrova {

namespace {

constexpr std::string_view kClassesKey = "SOFTWARE\\Classes\\";

bool EndsWithProgramSuffix(std::string_view word)
{
    if (word.size() < 4)
        return false;
    const std::string suffix = AsciiUpper(word.substr(word.size() - 4));
    return suffix == ".EXE" || suffix == ".COM" || suffix == ".BAT" || suffix == ".CMD";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsStringValue(const RegValue& value)
{
    return value.type == static_cast<std::uint32_t>(RegType::Sz) ||
           value.type == static_cast<std::uint32_t>(RegType::ExpandSz);
}

// The values of one key, opened once for all the values read from it.
class KeyValues {
public:
    KeyValues(RegistryBackend& registry, RegRoot root, std::uint32_t view, const std::string& path)
    {
        RegHandle handle{};
        if (registry.OpenKey(RootHandle(root), path, access::QueryValue | (view & access::ViewBits), handle) ==
            regerr::Success)
            key_ = RegKey(registry, handle);
        registry_ = &registry;
    }

    // The text of a string value; nothing when the value is missing or of another type.
    std::optional<std::string> Text(const std::string& name) const
    {
        RegValue value;
        if (!key_ || registry_->QueryValue(key_.Get(), name, value) != regerr::Success || !IsStringValue(value))
            return std::nullopt;
        return TextOfStringData(value.data);
    }
    bool Has(const std::string& name) const
    {
        RegValue value;
        return key_ && registry_->QueryValue(key_.Get(), name, value) == regerr::Success;
    }

private:
    RegistryBackend* registry_ = nullptr;
    RegKey key_;
};

}  // namespace

std::string RemoveAccelerators(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            result += '&';
            ++i;
        }
    }
    return result;
}

std::string CommandProgram(std::string_view commandLine, const std::function<bool(const std::string&)>& isFile)
{
    std::string_view line = commandLine;
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    if (line.empty())
        return {};
    if (line.front() == '"') {
        line.remove_prefix(1);
        const std::size_t end = line.find('"');
        return std::string(TrimBlanks(line.substr(0, end)));
    }
    // Ends of the runs of words, shortest first: each blank, then the line's end.
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (IsBlank(line[i]) && (i == 0 || !IsBlank(line[i - 1])))
            ends.push_back(i);
    ends.push_back(line.size());
    if (isFile) {
        for (std::size_t end : ends) {
            const std::string candidate(line.substr(0, end));
            if (isFile(candidate))
                return candidate;
        }
    }
    for (std::size_t end : ends)
        if (EndsWithProgramSuffix(line.substr(0, end)))
            return std::string(line.substr(0, end));
    return std::string(line.substr(0, ends.front()));
}

IconLocation ParseIconLocation(std::string_view text)
{
    text = TrimBlanks(text);
    IconLocation location;
    const std::size_t comma = text.rfind(',');
    if (comma != std::string_view::npos) {
        std::string_view number = TrimBlanks(text.substr(comma + 1));
        const bool negative = !number.empty() && number.front() == '-';
        if (negative)
            number.remove_prefix(1);
        const bool digits = !number.empty() && number.size() <= 9 &&
                            std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) {
            location.index = std::stoi(std::string(number)) * (negative ? -1 : 1);
            text = TrimBlanks(text.substr(0, comma));
        }
    }
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    location.path = std::string(text);
    return location;
}

bool LooksLikeClsid(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return false;
    for (std::size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != '-' : HexDigitValue(text[i]) < 0)
            return false;
    }
    return true;
}

EntryDetails::EntryDetails(RegistryBackend& registry, EntryProbe& probe, const VersionInfoApi& versions)
    : registry_(registry), probe_(probe), versions_(versions)
{
}

void EntryDetails::BeginScan(DetailWords words)
{
    words_ = std::move(words);
    files_.clear();
    versionReads_ = 0;
}

EntryDetailTexts EntryDetails::Read(const EntryTarget& source, EntryDetailKind kind)
{
    EntryDetailTexts texts;
    if (!source.IsKey() || source.path.empty())
        return texts;
    switch (kind) {
    case EntryDetailKind::Verb:
        ReadVerb(source, texts);
        break;
    case EntryDetailKind::Handler:
        ReadHandler(source, texts);
        break;
    case EntryDetailKind::NewMenuTemplate:
        ReadTemplate(source, texts);
        break;
    }
    return texts;
}

void EntryDetails::ReadVerb(const EntryTarget& source, EntryDetailTexts& texts)
{
    const RegRoot root = source.root;
    const std::uint32_t view = source.viewBits;
    const std::string& key = source.path;

    const KeyValues verb(registry_, root, view, key);
    std::string shown;
    if (std::optional<std::string> muiVerb = verb.Text("MUIVerb"))
        shown = Resolve(*muiVerb);
    else if (std::optional<std::string> text = verb.Text(""); text && !text->empty())
        shown = Resolve(*text);
    else
        shown = LastName(key);
    texts.shownAs = RemoveAccelerators(shown);

    const KeyValues command(registry_, root, view, key + "\\command");
    std::string program;
    if (std::optional<std::string> delegate = command.Text("DelegateExecute");
        delegate && LooksLikeClsid(std::string(TrimBlanks(*delegate)))) {
        program = ClsidServer(std::string(TrimBlanks(*delegate)));
    } else if (std::optional<std::string> line = command.Text("")) {
        const std::string expanded = probe_.ExpandEnvironment(*line);
        program = CommandProgram(expanded, [this](const std::string& path) {
            return path.find('\\') != std::string::npos && probe_.FileExists(probe_.NativePath(path));
        });
    }
    const std::string programPath = SetProgram(program, texts);
    if (std::optional<std::string> icon = verb.Text("Icon"); icon && !TrimBlanks(*icon).empty())
        texts.icon = probe_.ExpandEnvironment(*icon);
    else if (!programPath.empty())
        texts.icon = programPath + ",0";

    if (verb.Has("LegacyDisable") || verb.Has("ProgrammaticAccessOnly"))
        texts.shows = words_.never;
    else if (verb.Has("Extended"))
        texts.shows = words_.withShift;
    else
        texts.shows = words_.always;
}

void EntryDetails::ReadHandler(const EntryTarget& source, EntryDetailTexts& texts)
{
    std::string clsid;
    if (std::optional<std::string> value = ReadString(source.root, source.viewBits, source.path, ""))
        clsid = std::string(TrimBlanks(*value));
    if (!LooksLikeClsid(clsid))
        clsid = LastName(source.path);
    if (!LooksLikeClsid(clsid))
        return;

    const std::string clsidKey = std::string(kClassesKey) + "CLSID\\" + clsid;
    const std::uint32_t view = ClsidView();
    const std::string dll = SetProgram(ClsidServer(clsid), texts);
    if (!dll.empty())
        texts.icon = dll + ",0";
    if (std::optional<std::string> localized = ReadString(RegRoot::LocalMachine, view, clsidKey, "LocalizedString"))
        texts.shownAs = Resolve(*localized);
    if (texts.shownAs.empty())
        if (std::optional<std::string> name = ReadString(RegRoot::LocalMachine, view, clsidKey, ""))
            texts.shownAs = *name;
    if (texts.shownAs.empty() && !dll.empty())
        texts.shownAs = Description(dll);
}

void EntryDetails::ReadTemplate(const EntryTarget& source, EntryDetailTexts& texts)
{
    const RegRoot root = source.root;
    const std::uint32_t view = source.viewBits;
    if (std::optional<std::string> menuText = ReadString(root, view, source.path, "MenuText"))
        texts.shownAs = Resolve(*menuText);
    if (!texts.shownAs.empty())
        return;

    // The class the template creates: the one an extension key names, else a class key
    // nested below the extension, else the key itself.
    const std::string classKey = source.classKey.empty() ? ParentPath(source.path) : source.classKey;
    const std::string name = LastName(classKey);
    std::string typeKey = classKey;
    if (StartsWith(name, ".")) {
        if (std::optional<std::string> progId = ReadString(root, view, classKey, "");
            progId && !progId->empty() && progId->find('\\') == std::string::npos)
            typeKey = std::string(kClassesKey) + *progId;
    } else if (StartsWith(ParentPath(classKey), std::string(kClassesKey) + ".")) {
        typeKey = std::string(kClassesKey) + name;
    }
    if (std::optional<std::string> friendly = ReadString(root, view, typeKey, "FriendlyTypeName"))
        texts.shownAs = Resolve(*friendly);
    if (texts.shownAs.empty())
        if (std::optional<std::string> text = ReadString(root, view, typeKey, ""))
            texts.shownAs = *text;
}

std::string EntryDetails::SetProgram(const std::string& program, EntryDetailTexts& texts)
{
    if (program.empty())
        return {};
    const std::string path = FullProgramPath(program);
    if (path.empty()) {
        // A bare name the system does not find may still be found by Explorer (App Paths):
        // it is shown as it is, never flagged.
        texts.program = program;
        return {};
    }
    const FileFacts& facts = Facts(path);
    texts.program = path;
    if (!facts.exists) {
        texts.programMissing = true;
        texts.program += " " + words_.missing;
        return {};
    }
    texts.company = facts.company;
    return path;
}

std::string EntryDetails::FullProgramPath(const std::string& program)
{
    if (program.find('\\') != std::string::npos || program.find('/') != std::string::npos)
        return program;
    return probe_.FindProgram(program);
}

EntryDetails::FileFacts& EntryDetails::Facts(const std::string& path)
{
    const std::string key = AsciiUpper(path);
    if (auto found = files_.find(key); found != files_.end())
        return found->second;
    FileFacts facts;
    const std::string native = probe_.NativePath(path);
    facts.exists = probe_.FileExists(native);
    if (facts.exists) {
        ++versionReads_;
        facts.company = GetCompanyName(versions_, native);
    }
    return files_.emplace(key, std::move(facts)).first->second;
}

const std::string& EntryDetails::Description(const std::string& path)
{
    FileFacts& facts = Facts(path);
    if (!facts.description)
        facts.description = facts.exists ? GetVersionInfoString(versions_, probe_.NativePath(path), "FileDescription")
                                         : std::string();
    return *facts.description;
}

std::string EntryDetails::ClsidServer(const std::string& clsid)
{
    const std::string clsidKey = std::string(kClassesKey) + "CLSID\\" + clsid;
    const std::uint32_t view = ClsidView();
    for (const char* server : {"InprocServer32", "LocalServer32"}) {
        if (std::optional<std::string> value = ReadString(RegRoot::LocalMachine, view, clsidKey + "\\" + server, "");
            value && !TrimBlanks(*value).empty())
            return CommandProgram(probe_.ExpandEnvironment(*value), [this](const std::string& path) {
                return path.find('\\') != std::string::npos && probe_.FileExists(probe_.NativePath(path));
            });
    }
    return {};
}

// Explorer reads CLSIDs in its own view: the 64-bit one on 64-bit Windows.
std::uint32_t EntryDetails::ClsidView()
{
    if (!windows64_)
        windows64_ = probe_.IsWindows64();
    return *windows64_ ? access::Wow64_64Key : access::Wow64_32Key;
}

std::optional<std::string> EntryDetails::ReadString(RegRoot root, std::uint32_t view, const std::string& path,
                                                    const std::string& name)
{
    return KeyValues(registry_, root, view, path).Text(name);
}

std::string EntryDetails::Resolve(const std::string& text)
{
    if (!StartsWith(text, "@"))
        return text;
    return probe_.LoadIndirectString(probe_.ExpandEnvironment(text)).value_or(std::string());
}

}  // namespace kestrova
