#include "platform/MemoryRegistry.h"

#include "platform/Utf.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kestrova {

namespace {

// Lower-cases one UTF-16 unit for name comparison: ASCII, Latin-1, Greek and
// Cyrillic letters, which covers the names the program meets.
char16_t FoldUnit(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

// Names compare by their lower-cased UTF-16 units: the order in which Wine keeps
// subkeys (so "_x" comes before "A").
std::u16string Fold(const std::string& name)
{
    std::u16string folded = Utf8ToUtf16(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldUnit);
    return folded;
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool IsRoot(RegHandle handle)
{
    return handle >= RootHandle(RegRoot::ClassesRoot) && handle <= RootHandle(RegRoot::Users);
}

}  // namespace

struct MemoryRegistry::Key {
    std::string name;
    std::u16string folded;
    Key* parent = nullptr;
    bool deleted = false;
    std::vector<std::pair<std::string, RegValue>> values;  // creation order
    std::vector<std::shared_ptr<Key>> subkeys;              // ordered by `folded`

    auto FindSubkey(const std::u16string& foldedName)
    {
        return std::lower_bound(subkeys.begin(), subkeys.end(), foldedName,
                                [](const std::shared_ptr<Key>& key, const std::u16string& n) { return key->folded < n; });
    }

    Key* Child(const std::u16string& foldedName)
    {
        auto at = FindSubkey(foldedName);
        return at != subkeys.end() && (*at)->folded == foldedName ? at->get() : nullptr;
    }

    std::shared_ptr<Key> AddChild(const std::string& childName)
    {
        auto child = std::make_shared<Key>();
        child->name = childName;
        child->folded = Fold(childName);
        child->parent = this;
        subkeys.insert(FindSubkey(child->folded), child);
        return child;
    }

    std::shared_ptr<Key> Shared(Key* child)
    {
        return *FindSubkey(child->folded);
    }

    auto FindValue(const std::string& valueName)
    {
        const std::u16string foldedName = Fold(valueName);
        return std::find_if(values.begin(), values.end(),
                            [&](const auto& value) { return Fold(value.first) == foldedName; });
    }
};

MemoryRegistry::MemoryRegistry(ClassesViews classesViews, std::uint32_t nativeView)
    : classesViews_(classesViews), nativeView_(nativeView), machine_(std::make_shared<Key>()),
      currentUser_(std::make_shared<Key>()), users_(std::make_shared<Key>())
{
    machine_->name = "\\REGISTRY\\MACHINE";
    currentUser_->name = "\\REGISTRY\\USER\\CurrentUser";
    users_->name = "\\REGISTRY\\USER";
    software_ = machine_->AddChild("SOFTWARE").get();
    software32_ = software_->AddChild("Wow6432Node").get();
    classes_ = software_->AddChild("Classes").get();
    classes32_ = classes_->AddChild("Wow6432Node").get();
    currentUser_->AddChild("Software");
}

MemoryRegistry::~MemoryRegistry() = default;

long MemoryRegistry::Start(RegHandle handle, std::uint32_t needed, std::shared_ptr<Key>& key) const
{
    switch (static_cast<RegRoot>(handle)) {
    case RegRoot::ClassesRoot: key = machine_->Shared(software_)->Shared(classes_); return regerr::Success;
    case RegRoot::CurrentUser: key = currentUser_; return regerr::Success;
    case RegRoot::LocalMachine: key = machine_; return regerr::Success;
    case RegRoot::Users: key = users_; return regerr::Success;
    }
    auto open = handles_.find(handle);
    if (open == handles_.end())
        return regerr::InvalidHandle;
    if ((open->second.access & needed) != needed)
        return regerr::AccessDenied;
    if (open->second.key->deleted)
        return regerr::KeyDeleted;
    key = open->second.key;
    return regerr::Success;
}

// The key in whose subkeys the 32-bit view looks up `foldedChild` below `from`.
MemoryRegistry::Key* MemoryRegistry::Redirect(Key* from, const std::u16string& foldedChild, bool view32) const
{
    if (!view32)
        return from;
    if (from == software_ && foldedChild != u"classes" && foldedChild != u"wow6432node")
        return software32_;
    static const std::array<std::u16string, 5> redirectedClasses = {u"clsid", u"directshow", u"interface",
                                                                     u"media type", u"mediafoundation"};
    if (from == classes_ && classesViews_ == ClassesViews::Shared &&
        std::find(redirectedClasses.begin(), redirectedClasses.end(), foldedChild) != redirectedClasses.end())
        return classes32_;
    return from;
}

// Where the classes are kept apart, the 32-bit view's classes key is another key.
std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::InView(std::shared_ptr<Key> key, bool view32) const
{
    if (view32 && classesViews_ == ClassesViews::Apart && key.get() == classes_)
        return classes_->Shared(classes32_);
    return key;
}

long MemoryRegistry::Walk(RegHandle parent, const std::string& subKey, std::uint32_t viewBits, bool create,
                          std::shared_ptr<Key>& key)
{
    viewBits &= access::ViewBits;
    if (viewBits == access::ViewBits)
        return regerr::InvalidParameter;
    const bool view32 = (viewBits ? viewBits : nativeView_) == access::Wow64_32Key;
    if (long error = Start(parent, 0, key))
        return error;
    key = InView(std::move(key), view32);
    for (const std::string& part : SplitPath(subKey)) {
        const std::u16string folded = Fold(part);
        Key* from = Redirect(key.get(), folded, view32);
        if (from != key.get())
            key = from->parent->Shared(from);
        if (Key* child = key->Child(folded))
            key = key->Shared(child);
        else if (create)
            key = key->AddChild(part);
        else
            return regerr::FileNotFound;
        key = InView(std::move(key), view32);
    }
    return regerr::Success;
}

RegHandle MemoryRegistry::AddHandle(std::shared_ptr<Key> key, std::uint32_t access)
{
    const RegHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = OpenHandle{std::move(key), access & ~access::ViewBits};
    return handle;
}

long MemoryRegistry::OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result)
{
    std::shared_ptr<Key> key;
    if (long error = Walk(parent, subKey, access, false, key))
        return error;
    result = AddHandle(std::move(key), access);
    return regerr::Success;
}

long MemoryRegistry::CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result)
{
    std::shared_ptr<Key> key;
    if (long error = Walk(parent, subKey, access, true, key))
        return error;
    result = AddHandle(std::move(key), access);
    return regerr::Success;
}

long MemoryRegistry::CloseKey(RegHandle key)
{
    if (IsRoot(key))
        return regerr::Success;
    return handles_.erase(key) ? regerr::Success : regerr::InvalidHandle;
}

long MemoryRegistry::EnumKey(RegHandle handle, std::uint32_t index, std::string& name)
{
    std::shared_ptr<Key> key;
    if (long error = Start(handle, access::EnumerateSubKeys, key))
        return error;
    if (index >= key->subkeys.size())
        return regerr::NoMoreItems;
    name = key->subkeys[index]->name;
    return regerr::Success;
}

long MemoryRegistry::EnumValue(RegHandle handle, std::uint32_t index, std::string& name)
{
    std::shared_ptr<Key> key;
    if (long error = Start(handle, access::QueryValue, key))
        return error;
    if (index >= key->values.size())
        return regerr::NoMoreItems;
    name = key->values[index].first;
    return regerr::Success;
}

long MemoryRegistry::QueryValue(RegHandle handle, const std::string& name, RegValue& value)
{
    std::shared_ptr<Key> key;
    if (long error = Start(handle, access::QueryValue, key))
        return error;
    auto found = key->FindValue(name);
    if (found == key->values.end())
        return regerr::FileNotFound;
    value = found->second;
    return regerr::Success;
}

long MemoryRegistry::SetValue(RegHandle handle, const std::string& name, const RegValue& value)
{
    std::shared_ptr<Key> key;
    if (long error = Start(handle, access::SetValue, key))
        return error;
    auto found = key->FindValue(name);
    if (found != key->values.end())
        found->second = value;
    else
        key->values.emplace_back(name, value);
    return regerr::Success;
}

long MemoryRegistry::DeleteValue(RegHandle handle, const std::string& name)
{
    std::shared_ptr<Key> key;
    if (long error = Start(handle, access::SetValue, key))
        return error;
    auto found = key->FindValue(name);
    if (found == key->values.end())
        return regerr::FileNotFound;
    key->values.erase(found);
    return regerr::Success;
}

long MemoryRegistry::DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits)
{
    std::shared_ptr<Key> key;
    if (long error = Walk(parent, subKey, viewBits, false, key))
        return error;
    // The roots and the views' own keys stay, as on Windows.
    const Key* fixed[] = {software_, software32_, classes_, classes32_};
    if (!key->parent || !key->subkeys.empty() || std::find(std::begin(fixed), std::end(fixed), key.get()) != std::end(fixed))
        return regerr::AccessDenied;
    key->deleted = true;
    auto& siblings = key->parent->subkeys;
    siblings.erase(key->parent->FindSubkey(key->folded));
    key->parent = nullptr;
    return regerr::Success;
}

long MemoryRegistry::RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName)
{
    if (newName.empty() || newName.find('\\') != std::string::npos)
        return regerr::InvalidParameter;
    std::shared_ptr<Key> base;
    if (long error = Start(parent, access::SetValue | access::CreateSubKey, base))
        return error;
    std::shared_ptr<Key> key;
    if (long error = Walk(parent, subKey, 0, false, key))
        return error;
    const Key* fixed[] = {software_, software32_, classes_, classes32_};
    if (!key->parent || std::find(std::begin(fixed), std::end(fixed), key.get()) != std::end(fixed))
        return regerr::AccessDenied;
    Key& siblings = *key->parent;
    const std::u16string folded = Fold(newName);
    if (Key* existing = siblings.Child(folded); existing && existing != key.get())
        return regerr::AccessDenied;
    // Open handles keep reaching the key under its new name, as on Windows.
    siblings.subkeys.erase(siblings.FindSubkey(key->folded));
    key->name = newName;
    key->folded = folded;
    siblings.subkeys.insert(siblings.FindSubkey(folded), key);
    return regerr::Success;
}

long MemoryRegistry::QueryKeyName(RegHandle handle, std::string& name)
{
    if (IsRoot(handle))
        return regerr::InvalidHandle;
    std::shared_ptr<Key> key;
    if (long error = Start(handle, 0, key))
        return error;
    std::vector<const Key*> path;
    std::size_t length = 0;
    for (const Key* at = key.get(); at; at = at->parent) {
        path.push_back(at);
        length += at->name.size() + 1;
    }
    name.clear();
    name.reserve(length);
    for (auto at = path.rbegin(); at != path.rend(); ++at) {
        if (at != path.rbegin())
            name += '\\';
        name += (*at)->name;
    }
    return regerr::Success;
}

}  // namespace kestrova
