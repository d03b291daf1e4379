// An in-memory registry with the four root keys and both registry views, following
// the rules the program relies on: case-insensitive, case-preserving names; values
// in creation order; subkeys by lower-cased name (Wine's order); keys with subkeys
// refuse deletion; handles check their access and fail once their key is deleted.
//
// Views: in the 32-bit view HKLM\SOFTWARE\X lives at HKLM\SOFTWARE\Wow6432Node\X.
// HKLM\SOFTWARE\Classes is either shared by both views, as on Windows, except its
// subkeys CLSID, DirectShow, Interface, Media Type and MediaFoundation, which the 32-bit
// view finds under HKLM\SOFTWARE\Classes\Wow6432Node; or kept apart, as in a Wine
// prefix without its 32-bit half, where the 32-bit view's classes key is the whole
// HKLM\SOFTWARE\Classes\Wow6432Node. HKEY_CLASSES_ROOT is HKLM\SOFTWARE\Classes.
// Key names (QueryKeyName) are the paths of the keys reached, below \REGISTRY\MACHINE,
// \REGISTRY\USER\CurrentUser and \REGISTRY\USER.
#pragma once

#include "platform/RegistryBackend.h"

#include <map>
#include <memory>

namespace kestrova {

enum class ClassesViews { Shared, Apart };

class MemoryRegistry : public RegistryBackend {
public:
    // `nativeView` is the view of calls without view bits: that of a process of this
    // build's pointer size, as on Windows, unless given.
    explicit MemoryRegistry(ClassesViews classesViews = ClassesViews::Shared,
                            std::uint32_t nativeView = sizeof(void*) == 4 ? access::Wow64_32Key
                                                                           : access::Wow64_64Key);
    ~MemoryRegistry() override;

    long OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override;
    long CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override;
    long CloseKey(RegHandle key) override;
    long EnumKey(RegHandle key, std::uint32_t index, std::string& name) override;
    long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override;
    long QueryValue(RegHandle key, const std::string& name, RegValue& value) override;
    long SetValue(RegHandle key, const std::string& name, const RegValue& value) override;
    long DeleteValue(RegHandle key, const std::string& name) override;
    long DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits) override;
    long RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName) override;
    long QueryKeyName(RegHandle key, std::string& name) override;

    // Handles opened and not yet closed, so tests can find leaks.
    std::size_t OpenHandleCount() const { return handles_.size(); }

private:
    struct Key;
    struct OpenHandle {
        std::shared_ptr<Key> key;
        std::uint32_t access;
    };

    long Start(RegHandle handle, std::uint32_t needed, std::shared_ptr<Key>& key) const;
    long Walk(RegHandle parent, const std::string& subKey, std::uint32_t viewBits, bool create,
              std::shared_ptr<Key>& key);
    Key* Redirect(Key* from, const std::u16string& foldedChild, bool view32) const;
    std::shared_ptr<Key> InView(std::shared_ptr<Key> key, bool view32) const;
    RegHandle AddHandle(std::shared_ptr<Key> key, std::uint32_t access);

    ClassesViews classesViews_;
    std::uint32_t nativeView_;
    std::shared_ptr<Key> machine_, currentUser_, users_;
    Key* software_;         // HKLM\SOFTWARE
    Key* software32_;       // HKLM\SOFTWARE\Wow6432Node
    Key* classes_;          // HKLM\SOFTWARE\Classes
    Key* classes32_;        // HKLM\SOFTWARE\Classes\Wow6432Node
    std::map<RegHandle, OpenHandle> handles_;
    RegHandle nextHandle_ = 0x1000;
};

}  // namespace kestrova
