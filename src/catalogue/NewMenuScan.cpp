#include "catalogue/NewMenuScan.h"

#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/RegKey.h"
#include "platform/RegValueData.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace kestrova {

namespace {

constexpr RegHandle kMachine = RootHandle(RegRoot::LocalMachine);
// The 32-bit view first: a class key present in both views is listed as found there.
constexpr std::uint32_t kPass1Access = access::Read | access::Wow64_32Key;
constexpr std::uint32_t kPass2Access = access::Read | access::Wow64_64Key;

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsString(const RegValue& value)
{
    return value.type == static_cast<std::uint32_t>(RegType::Sz) ||
           value.type == static_cast<std::uint32_t>(RegType::ExpandSz);
}

// The text of a string value; nothing for a value of another type.
std::optional<std::string> StringText(const std::optional<RegValue>& value)
{
    if (!value || !IsString(*value))
        return std::nullopt;
    return TextOfStringData(value->data);
}

bool Contains(const std::vector<std::string>& names, std::string_view name)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& item) { return EqualsIgnoringAsciiCase(item, name); });
}

// Whether `keyName` is `parentName` + "\\" + `name`, ignoring ASCII case.
bool IsNamedChild(std::string_view keyName, std::string_view parentName, std::string_view name)
{
    return keyName.size() == parentName.size() + 1 + name.size() && keyName[parentName.size()] == '\\' &&
           EqualsIgnoringAsciiCase(keyName.substr(0, parentName.size()), parentName) &&
           EqualsIgnoringAsciiCase(keyName.substr(parentName.size() + 1), name);
}

class NewMenuWalk {
public:
    NewMenuWalk(RegistryBackend& registry, RowSink& rows, EntryDetails* details)
        : registry_(registry), rows_(rows), details_(details)
    {
    }

    void Scan(const std::string& classesPath);
    std::size_t RowsAdded() const { return added_; }

private:
    struct Subkeys {
        std::vector<std::string> names;
        bool complete = false;  // every name was read
    };

    void SetPass(std::uint32_t passAccess);
    std::vector<std::string> WalkTopLevelKeys(const RegKey& classes, const std::string& classesPath,
                                              const std::vector<std::string>& names,
                                              const std::optional<std::string>& sharedClassesName);
    std::optional<std::string> KeyName(const RegKey& key);
    RegKey Open(RegHandle base, const std::string& path, std::uint32_t mask);
    RegKey OpenReadOnly(RegHandle base, const std::string& path);
    RegKey OpenIfExists(RegHandle base, const std::string& path);
    Subkeys SubkeyNames(RegHandle key);
    std::optional<RegValue> Query(RegHandle key, const std::string& name);
    bool IsUsable(RegHandle templateKey);
    void ScanNewMenuKey(RegHandle parent, const std::string& name, const std::string& topLevelName,
                        const std::string& classKey);
    void ScanOpenedKey(const RegKey& key, const std::string& topLevelName, const std::string& classKey);
    bool ListTemplate(const RegKey& classKey, const Subkeys& subkeys, const std::string& topLevelName,
                      const std::string& classKeyPath);
    std::string TypeText(const RegKey& classKey, const std::string& topLevelName);
    void AddNewMenuRow(const std::string& classKey, const std::string& caption, bool switchedOff,
                       const std::string& templateKey, const std::string& type);

    RegistryBackend& registry_;
    RowSink& rows_;
    EntryDetails* details_;
    std::uint32_t view_ = 0;
    std::string section_;
    // Class keys listed so far, upper-cased (ASCII): one set serves both passes.
    std::set<std::string> listed_;
    std::size_t added_ = 0;
};

RegKey NewMenuWalk::Open(RegHandle base, const std::string& path, std::uint32_t mask)
{
    RegHandle handle{};
    if (registry_.OpenKey(base, path, mask | view_, handle) != regerr::Success)
        return {};
    return RegKey(registry_, handle);
}

// As RegistryCursor::OpenKeyReadOnly opens: KEY_READ, else smaller read masks.
RegKey NewMenuWalk::OpenReadOnly(RegHandle base, const std::string& path)
{
    for (std::uint32_t mask : {access::Read, access::ReadNoNotify, access::QueryValue})
        if (RegKey key = Open(base, path, mask))
            return key;
    return {};
}

// A key that RegistryCursor::KeyExists finds, opened as OpenKeyReadOnly opens it: a key that
// opens with KEY_READ also opens with the smaller mask that KeyExists tries.
RegKey NewMenuWalk::OpenIfExists(RegHandle base, const std::string& path)
{
    for (std::uint32_t mask : {access::Read, access::ReadNoNotify})
        if (RegKey key = Open(base, path, mask))
            return key;
    return {};
}

// The names read before an enumeration failed are kept: they are walked all the same.
NewMenuWalk::Subkeys NewMenuWalk::SubkeyNames(RegHandle key)
{
    Subkeys subkeys;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const long result = registry_.EnumKey(key, index, name);
        if (result != regerr::Success) {
            subkeys.complete = result == regerr::NoMoreItems;
            return subkeys;
        }
        subkeys.names.push_back(std::move(name));
    }
}

std::optional<RegValue> NewMenuWalk::Query(RegHandle key, const std::string& name)
{
    RegValue value;
    if (registry_.QueryValue(key, name, value) != regerr::Success)
        return std::nullopt;
    return value;
}

// The first value, in enumeration order, that makes the template usable; a value list
// that cannot be read whole makes it unusable.
bool NewMenuWalk::IsUsable(RegHandle templateKey)
{
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const long result = registry_.EnumValue(templateKey, index, name);
        if (result == regerr::NoMoreItems)
            break;
        if (result != regerr::Success)
            return false;
        names.push_back(std::move(name));
    }
    for (const std::string& name : names) {
        if (TemplateValueCountsByPresence(name))
            return true;
        if (TemplateValueCountsByText(name)) {
            const std::optional<std::string> text = StringText(Query(templateKey, name));
            if (text && !text->empty())
                return true;
        }
    }
    return false;
}

// Pass 1 walks the 32-bit view, pass 2 the 64-bit one. Where both views reach the same
// classes key, pass 2 takes pass 1's names and walks only the top-level keys that pass 1
// did not find to be the 64-bit view's keys too (the registry redirects a few of them):
// the others hold only class keys listed already.
void NewMenuWalk::Scan(const std::string& classesPath)
{
    SetPass(kPass2Access);
    const RegKey classes64 = OpenReadOnly(kMachine, classesPath);
    const std::optional<std::string> classes64Name = KeyName(classes64);

    SetPass(kPass1Access);
    std::optional<std::vector<std::string>> walkAgain;
    if (const RegKey classes32 = OpenReadOnly(kMachine, classesPath)) {
        const std::optional<std::string> classes32Name = KeyName(classes32);
        const Subkeys names = SubkeyNames(classes32.Get());
        // Pass 2 reads the names itself unless this list is whole.
        const bool shared = names.complete && classes64Name && classes32Name &&
                            EqualsIgnoringAsciiCase(*classes32Name, *classes64Name);
        std::vector<std::string> apart =
            WalkTopLevelKeys(classes32, classesPath, names.names, shared ? classes64Name : std::nullopt);
        if (shared)
            walkAgain = std::move(apart);
    }

    SetPass(kPass2Access);
    if (classes64)
        WalkTopLevelKeys(classes64, classesPath, walkAgain ? *walkAgain : SubkeyNames(classes64.Get()).names,
                         std::nullopt);
}

void NewMenuWalk::SetPass(std::uint32_t passAccess)
{
    view_ = passAccess & access::ViewBits;
    section_ = NewMenuSection(passAccess);
}

// Walks the top-level keys of `names` below `classes`. Returns the names of those not
// found to be the key named `sharedClassesName` + "\\" + name, which another view reaches
// by that path; without `sharedClassesName`, all of them.
std::vector<std::string> NewMenuWalk::WalkTopLevelKeys(const RegKey& classes, const std::string& classesPath,
                                                       const std::vector<std::string>& names,
                                                       const std::optional<std::string>& sharedClassesName)
{
    std::vector<std::string> apart;
    for (const std::string& name : names) {
        if (IsSkippedClassName(name))
            continue;
        bool shared = false;
        // Like every descent, one top-level key that fails costs only its own subtree.
        try {
            const RegKey key = OpenReadOnly(classes.Get(), name);
            if (sharedClassesName) {
                const std::optional<std::string> keyName = KeyName(key);
                shared = keyName && IsNamedChild(*keyName, *sharedClassesName, name);
            }
            ScanOpenedKey(key, name, classesPath + "\\" + name);
        } catch (const AppError&) {
            shared = false;  // the other view's walk may still find what this one lost
        }
        if (!shared)
            apart.push_back(name);
    }
    return apart;
}

// The registry's own name of the key, which tells whether two views reach the same key.
std::optional<std::string> NewMenuWalk::KeyName(const RegKey& key)
{
    std::string name;
    if (!key || registry_.QueryKeyName(key.Get(), name) != regerr::Success)
        return std::nullopt;
    return name;
}

void NewMenuWalk::ScanNewMenuKey(RegHandle parent, const std::string& name, const std::string& topLevelName,
                                 const std::string& classKey)
{
    ScanOpenedKey(OpenReadOnly(parent, name), topLevelName, classKey);
}

// `key` is the class key, or nothing when it does not open.
void NewMenuWalk::ScanOpenedKey(const RegKey& key, const std::string& topLevelName, const std::string& classKey)
{
    Subkeys subkeys;
    if (key)
        subkeys = SubkeyNames(key.Get());
    if (ListTemplate(key, subkeys, topLevelName, classKey) || !key)
        return;
    for (const std::string& subkey : subkeys.names) {
        if (IsNeverEnteredSubkeyName(subkey))
            continue;
        try {
            ScanNewMenuKey(key.Get(), subkey, topLevelName, classKey + "\\" + subkey);
        } catch (const AppError&) {
            // The subtree is left out; its siblings are walked.
        }
    }
}

// Tests the class key's template and lists it once. True when the template is usable
// (listed now or before): the walk goes no deeper.
bool NewMenuWalk::ListTemplate(const RegKey& classKey, const Subkeys& subkeys, const std::string& topLevelName,
                               const std::string& classKeyPath)
{
    // A complete list of plain ASCII names tells for sure which template keys exist;
    // otherwise (a key that could not be listed, or a name the registry might match
    // by its own wider case rules) both are probed.
    const bool namesTell =
        classKey && subkeys.complete &&
        std::all_of(subkeys.names.begin(), subkeys.names.end(), [](const std::string& n) { return IsAscii(n); });
    const bool mayHaveShellNew = !namesTell || Contains(subkeys.names, kShellNew);
    const bool mayHaveOldShellNew = !namesTell || Contains(subkeys.names, kOldShellNew);
    if (!mayHaveShellNew && !mayHaveOldShellNew)
        return false;

    // Template keys are found below the open class key, or by their full path when the
    // class key itself does not open.
    const RegHandle base = classKey ? classKey.Get() : kMachine;
    const std::string prefix = classKey ? std::string() : classKeyPath + "\\";
    std::string templateName;
    RegKey templateKey;
    if (mayHaveShellNew && (templateKey = OpenIfExists(base, prefix + std::string(kShellNew))))
        templateName = kShellNew;
    else if (mayHaveOldShellNew && (templateKey = OpenIfExists(base, prefix + std::string(kOldShellNew))))
        templateName = kOldShellNew;
    if (!templateKey || !IsUsable(templateKey.Get()))
        return false;
    if (!listed_.insert(AsciiUpper(classKeyPath)).second)
        return true;

    const std::string type = TypeText(classKey, topLevelName);
    std::string caption = type;
    if (const std::optional<RegValue> menuText = Query(templateKey.Get(), "MenuText")) {
        caption = StringText(menuText).value_or(type);
    } else if (const std::optional<RegValue> itemName = Query(templateKey.Get(), "ItemName")) {
        caption = StringText(itemName).value_or(type);
    }
    // Captions with a backslash are indirect strings (@file.dll,-id) that are never shown.
    if (caption.empty() || caption.find('\\') != std::string::npos)
        caption = StartsWith(topLevelName, ".") ? topLevelName.substr(1) : topLevelName;

    const bool switchedOff =
        templateName == kOldShellNew ||
        (mayHaveOldShellNew && Open(base, prefix + std::string(kOldShellNew), access::ReadNoNotify));
    AddNewMenuRow(classKeyPath, caption, switchedOff, classKeyPath + "\\" + templateName, type);
    return true;
}

// The class key's default value when it is a non-empty string, else the top-level name.
std::string NewMenuWalk::TypeText(const RegKey& classKey, const std::string& topLevelName)
{
    if (classKey) {
        const std::optional<std::string> text = StringText(Query(classKey.Get(), ""));
        if (text && !text->empty())
            return *text;
    }
    return topLevelName;
}

void NewMenuWalk::AddNewMenuRow(const std::string& classKey, const std::string& caption, bool switchedOff,
                                const std::string& templateKey, const std::string& type)
{
    EntryRow row{caption, {type, section_, templateKey}, !switchedOff,
                 EntryTarget::Key(RegRoot::LocalMachine, view_, templateKey, classKey)};
    if (details_) {
        for (std::string& text : details_->Read(row.target, EntryDetailKind::NewMenuTemplate).Columns())
            row.subItems.push_back(std::move(text));
    }
    rows_.Add(row);
    ++added_;
}

}  // namespace

std::size_t ScanNewMenu(RegistryBackend& registry, RowSink& rows, const std::string& classesPath,
                        EntryDetails* details)
{
    NewMenuWalk walk(registry, rows, details);
    walk.Scan(classesPath);
    return walk.RowsAdded();
}

}  // namespace kestrova
