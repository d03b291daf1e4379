#include "platform/RegistryCursor.h"

#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/PathNames.h"
#include "platform/RegValueData.h"

#include <algorithm>

namespace kestrova {

namespace {

std::string Join(const std::string& parent, const std::string& child)
{
    if (parent.empty())
        return child;
    if (child.empty())
        return parent;
    return parent + "\\" + child;
}

// A path's components, upper-cased (ASCII), for comparing two paths of one root.
std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path + "\\") {
        if (c != '\\') {
            part.push_back(AsciiUpper(c));
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

RegDataKind DataTypeOf(std::uint32_t type)
{
    switch (static_cast<RegType>(type)) {
    case RegType::Sz: return RegDataKind::String;
    case RegType::ExpandSz: return RegDataKind::ExpandString;
    case RegType::Dword: return RegDataKind::Integer;
    case RegType::DwordBigEndian: return RegDataKind::IntegerBigEndian;
    case RegType::Binary: return RegDataKind::Binary;
    case RegType::Link: return RegDataKind::Link;
    case RegType::MultiSz: return RegDataKind::MultiString;
    case RegType::Qword: return RegDataKind::Int64;
    case RegType::None: return RegDataKind::None;
    }
    return RegDataKind::Unknown;
}

}  // namespace

RegistryCursor::RegistryCursor(RegistryBackend& backend, std::uint32_t access) : Access(access), backend_(backend) {}

RegistryCursor::~RegistryCursor() = default;

bool RegistryCursor::HasCurrentKey() const
{
    return static_cast<bool>(currentKey_);
}

RegistryCursor::Start RegistryCursor::Resolve(const std::string& key) const
{
    if (!key.empty() && key.front() == '\\')
        return {RootHandle(RootKey), key.substr(1)};
    if (currentKey_)
        return {currentKey_.Get(), key};
    return {RootHandle(RootKey), key};
}

RegistryCursor::Location RegistryCursor::Locate(const std::string& key) const
{
    if (!key.empty() && key.front() == '\\')
        return {RootKey, key.substr(1)};
    if (currentKey_)
        return {currentRoot_, Join(currentPath_, key)};
    return {RootKey, key};
}

RegKey RegistryCursor::Open(RegHandle base, const std::string& path, std::uint32_t mask)
{
    RegHandle handle{};
    if (backend_.OpenKey(base, path, mask, handle) != regerr::Success)
        return {};
    return RegKey(backend_, handle);
}

RegKey RegistryCursor::Create(RegHandle base, const std::string& path)
{
    RegHandle handle{};
    if (backend_.CreateKey(base, path, Access, handle) != regerr::Success)
        return {};
    return RegKey(backend_, handle);
}

bool RegistryCursor::OpenKey(const std::string& key, bool canCreate)
{
    const Start start = Resolve(key);
    RegKey opened = canCreate ? Create(start.base, start.path) : Open(start.base, start.path, Access);
    if (!opened)
        return false;
    Location location = Locate(key);
    currentKey_ = std::move(opened);
    currentRoot_ = location.root;
    currentPath_ = std::move(location.path);
    return true;
}

bool RegistryCursor::OpenKeyReadOnly(const std::string& key)
{
    const std::uint32_t saved = Access;
    for (std::uint32_t mask : {access::Read, access::ReadNoNotify, access::QueryValue}) {
        Access = mask | (saved & access::ViewBits);
        if (OpenKey(key, false))
            return true;
    }
    Access = saved;
    return false;
}

void RegistryCursor::CloseKey()
{
    currentKey_.Reset();
    currentPath_.clear();
}

bool RegistryCursor::KeyExists(const std::string& key)
{
    const Start start = Resolve(key);
    return static_cast<bool>(Open(start.base, start.path, access::ReadNoNotify | ViewBits()));
}

// The names of a key's subkeys or values; false when any part of the list cannot be read.
bool RegistryCursor::ListNames(RegHandle key, bool subKeys, std::vector<std::string>& names)
{
    names.clear();
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const long result = subKeys ? backend_.EnumKey(key, index, name) : backend_.EnumValue(key, index, name);
        if (result == regerr::NoMoreItems)
            return true;
        if (result != regerr::Success) {
            names.clear();
            return false;
        }
        names.push_back(std::move(name));
    }
}

void RegistryCursor::GetKeyNames(std::vector<std::string>& strings)
{
    strings.clear();
    if (currentKey_)
        ListNames(currentKey_.Get(), true, strings);
}

void RegistryCursor::GetValueNames(std::vector<std::string>& strings)
{
    strings.clear();
    if (currentKey_)
        ListNames(currentKey_.Get(), false, strings);
}

bool RegistryCursor::ValueExists(const std::string& name)
{
    RegValue value;
    return currentKey_ && backend_.QueryValue(currentKey_.Get(), name, value) == regerr::Success;
}

RegDataKind RegistryCursor::GetDataType(const std::string& valueName)
{
    RegValue value;
    if (!currentKey_ || backend_.QueryValue(currentKey_.Get(), valueName, value) != regerr::Success)
        return RegDataKind::Unknown;
    return DataTypeOf(value.type);
}

std::string RegistryCursor::ReadString(const std::string& name)
{
    RegValue value;
    if (!currentKey_ || backend_.QueryValue(currentKey_.Get(), name, value) != regerr::Success)
        return {};
    if (value.type != static_cast<std::uint32_t>(RegType::Sz) && value.type != static_cast<std::uint32_t>(RegType::ExpandSz))
        throw AppError(FillPattern("Invalid data type for '%s'", name));
    return TextOfStringData(value.data);
}

std::int32_t RegistryCursor::ReadInteger(const std::string& name)
{
    RegValue value;
    if (!currentKey_ || backend_.QueryValue(currentKey_.Get(), name, value) != regerr::Success)
        throw AppError(FillPattern("Failed to get data for '%s'", name));
    if (value.type != static_cast<std::uint32_t>(RegType::Dword))
        throw AppError(FillPattern("Invalid data type for '%s'", name));
    // REG_DWORD data of another size than four bytes holds no 32-bit number.
    const auto number = DwordOfData(value.data);
    if (!number)
        throw AppError(FillPattern("Failed to get data for '%s'", name));
    return static_cast<std::int32_t>(*number);
}

void RegistryCursor::WriteString(const std::string& name, const std::string& value)
{
    if (!currentKey_ || backend_.SetValue(currentKey_.Get(), name, MakeStringValue(value)) != regerr::Success)
        throw AppError(FillPattern("Failed to set data for '%s'", name));
}

bool RegistryCursor::DeleteValue(const std::string& name)
{
    if (!currentKey_)
        return false;
    const long result = backend_.DeleteValue(currentKey_.Get(), name);
    return result == regerr::Success || result == regerr::FileNotFound;
}

// Deletes a key and its subkeys, deepest first. True when the key itself went, which
// the registry allows only once every subkey has gone, so true means the whole tree.
bool RegistryCursor::DeleteTree(RegHandle base, const std::string& path)
{
    if (RegKey key = Open(base, path, access::ReadNoNotify | ViewBits())) {
        std::vector<std::string> names;
        ListNames(key.Get(), true, names);
        for (const std::string& name : names)
            DeleteTree(key.Get(), name);
    }
    return backend_.DeleteKey(base, path, ViewBits()) == regerr::Success;
}

bool RegistryCursor::DeleteKey(const std::string& key)
{
    const Start start = Resolve(key);
    // An empty path would name the root or the current key itself.
    if (Components(start.path).empty())
        return false;
    return DeleteTree(start.base, start.path);
}

// Copies every value (type and raw data) and every subkey of `from` into `to`, which
// may already hold some of them. Throws at the first step that fails.
void RegistryCursor::CopyTree(RegHandle from, const std::string& fromPath, RegHandle to, const std::string& toPath)
{
    std::vector<std::string> names;
    if (!ListNames(from, false, names))
        throw AppError(FillPattern("Failed to read key %s", fromPath));
    for (const std::string& name : names) {
        RegValue value;
        if (backend_.QueryValue(from, name, value) != regerr::Success)
            throw AppError(FillPattern("Failed to get data for '%s'", name));
        if (backend_.SetValue(to, name, value) != regerr::Success)
            throw AppError(FillPattern("Failed to set data for '%s'", name));
    }
    if (!ListNames(from, true, names))
        throw AppError(FillPattern("Failed to read key %s", fromPath));
    for (const std::string& name : names) {
        RegKey source = Open(from, name, Access);
        if (!source)
            throw AppError(FillPattern("Failed to open key %s", Join(fromPath, name)));
        RegKey target = Create(to, name);
        if (!target)
            throw AppError(FillPattern("Failed to create key %s", Join(toPath, name)));
        CopyTree(source.Get(), Join(fromPath, name), target.Get(), Join(toPath, name));
    }
}

// A move never leaves the entry in part at both places. A copy that fails on the way
// is removed again and the source stays as it was. The source is deleted only after
// a complete copy; when deleting fails part-way, the deleted parts are copied back
// from the complete destination (keys go whole, with their values, so what remains
// of the source is intact) and the destination is removed, so the source is whole
// again. Should that restoring fail too, the destination stays whole. Either way the
// failure propagates.
void RegistryCursor::MoveKey(const std::string& oldName, const std::string& newName, bool deleteSource)
{
    if (!KeyExists(oldName) || KeyExists(newName))
        return;
    const Start oldStart = Resolve(oldName);
    RegKey source = Open(oldStart.base, oldStart.path, Access);
    if (!source)
        return;

    // A key cannot be copied into its own subtree: the copy would never end.
    const Location oldLocation = Locate(oldName);
    const Location newLocation = Locate(newName);
    const std::vector<std::string> oldParts = Components(oldLocation.path);
    const std::vector<std::string> newParts = Components(newLocation.path);
    if (oldLocation.root == newLocation.root && newParts.size() >= oldParts.size() &&
        std::equal(oldParts.begin(), oldParts.end(), newParts.begin()))
        throw AppError(FillPattern("Failed to create key %s", newName));

    const Start newStart = Resolve(newName);
    RegKey target = Create(newStart.base, newStart.path);
    if (!target)
        throw AppError(FillPattern("Failed to create key %s", newName));
    try {
        CopyTree(source.Get(), oldName, target.Get(), newName);
    } catch (const AppError&) {
        target.Reset();
        DeleteTree(newStart.base, newStart.path);
        throw;
    }
    if (!deleteSource)
        return;

    source.Reset();
    if (DeleteTree(oldStart.base, oldStart.path))
        return;
    bool restored = false;
    try {
        if (RegKey copy = Create(oldStart.base, oldStart.path)) {
            CopyTree(target.Get(), newName, copy.Get(), oldName);
            restored = true;
        }
    } catch (const AppError&) {
        // The destination stays whole; the failed deletion is what the caller hears of.
    }
    if (restored) {
        target.Reset();
        DeleteTree(newStart.base, newStart.path);
    }
    throw AppError(FillPattern("Failed to delete key %s", oldName));
}

bool RegistryCursor::RenameKey(const std::string& oldName, const std::string& newName)
{
    const Start start = Resolve(oldName);
    const std::string leaf = LastName(start.path);
    if (leaf.empty() || newName.empty())
        return false;
    RegKey parent;
    if (const std::string parentPath = ParentPath(start.path); !parentPath.empty()) {
        parent = Open(start.base, parentPath, Access);
        if (!parent)
            return false;
    }
    return backend_.RenameKey(parent ? parent.Get() : start.base, leaf, newName) == regerr::Success;
}

}  // namespace kestrova
