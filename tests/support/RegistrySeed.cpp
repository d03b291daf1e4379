#include "RegistrySeed.h"

#include "platform/RegKey.h"
#include "platform/RegValueData.h"

#include <stdexcept>

namespace kestrova {

namespace {

void Check(long result, const std::string& what)
{
    if (result != regerr::Success)
        throw std::runtime_error("registry seed: " + what + " failed with error " + std::to_string(result));
}

}  // namespace

RegHandle RegistrySeed::Create(RegHandle parent, const std::string& path, std::uint32_t view)
{
    RegHandle key{};
    Check(backend_.CreateKey(parent, path, access::AllAccess | view, key), "creating " + path);
    return key;
}

void RegistrySeed::CreateKey(RegRoot root, std::uint32_t view, const std::string& path)
{
    RegKey key(backend_, Create(RootHandle(root), path, view));
}

void RegistrySeed::SetValue(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                            const RegValue& value)
{
    RegKey key(backend_, Create(RootHandle(root), path, view));
    Check(backend_.SetValue(key.Get(), name, value), "setting " + path + " " + name);
}

void RegistrySeed::SetString(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                             const std::string& text)
{
    SetValue(root, view, path, name, MakeStringValue(text));
}

void RegistrySeed::SetDword(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                            std::uint32_t number)
{
    SetValue(root, view, path, name, MakeDwordValue(number));
}

void RegistrySeed::Write(RegHandle key, const KeyTree& tree, std::uint32_t view)
{
    for (const auto& [name, value] : tree.values)
        Check(backend_.SetValue(key, name, value), "setting " + name);
    for (const auto& [name, subtree] : tree.subkeys) {
        RegKey subkey(backend_, Create(key, name, view));
        Write(subkey.Get(), subtree, view);
    }
}

void RegistrySeed::WriteTree(RegRoot root, std::uint32_t view, const std::string& path, const KeyTree& tree)
{
    RegKey key(backend_, Create(RootHandle(root), path, view));
    Write(key.Get(), tree, view);
}

bool RegistrySeed::KeyExists(RegRoot root, std::uint32_t view, const std::string& path)
{
    RegHandle key{};
    if (backend_.OpenKey(RootHandle(root), path, access::Read | view, key) != regerr::Success)
        return false;
    RegKey owner(backend_, key);
    return true;
}

std::optional<RegValue> RegistrySeed::Value(RegRoot root, std::uint32_t view, const std::string& path,
                                            const std::string& name)
{
    RegHandle key{};
    if (backend_.OpenKey(RootHandle(root), path, access::Read | view, key) != regerr::Success)
        return std::nullopt;
    RegKey owner(backend_, key);
    RegValue value;
    if (backend_.QueryValue(key, name, value) != regerr::Success)
        return std::nullopt;
    return value;
}

KeyTree RegistrySeed::Read(RegHandle key, std::uint32_t view)
{
    KeyTree tree;
    std::string name;
    for (std::uint32_t index = 0; backend_.EnumValue(key, index, name) == regerr::Success; ++index) {
        RegValue value;
        Check(backend_.QueryValue(key, name, value), "reading " + name);
        tree.values.emplace_back(name, value);
    }
    for (std::uint32_t index = 0; backend_.EnumKey(key, index, name) == regerr::Success; ++index) {
        RegHandle subkey{};
        Check(backend_.OpenKey(key, name, access::Read | view, subkey), "opening " + name);
        RegKey owner(backend_, subkey);
        tree.subkeys.emplace_back(name, Read(subkey, view));
    }
    return tree;
}

std::optional<KeyTree> RegistrySeed::Snapshot(RegRoot root, std::uint32_t view, const std::string& path)
{
    RegHandle key{};
    if (backend_.OpenKey(RootHandle(root), path, access::Read | view, key) != regerr::Success)
        return std::nullopt;
    RegKey owner(backend_, key);
    return Read(key, view);
}

void RegistrySeed::DeleteBelow(RegHandle parent, const std::string& path, std::uint32_t view)
{
    RegHandle key{};
    if (backend_.OpenKey(parent, path, access::Read | view, key) != regerr::Success)
        return;
    {
        RegKey owner(backend_, key);
        std::string name;
        while (backend_.EnumKey(key, 0, name) == regerr::Success)
            DeleteBelow(key, name, view);
    }
    Check(backend_.DeleteKey(parent, path, view), "deleting " + path);
}

void RegistrySeed::DeleteTree(RegRoot root, std::uint32_t view, const std::string& path)
{
    DeleteBelow(RootHandle(root), path, view);
}

}  // namespace kestrova
