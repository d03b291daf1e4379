// The switch of Explorer's whole Send to sub-menu: the default value of its context-menu
// handler key under HKEY_CLASSES_ROOT, in the 32-bit view, holds the handler's CLSID
// when the sub-menu is on and is empty when it is off.
#pragma once

#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <string_view>

namespace kestrova {

inline constexpr std::string_view kSendToHandlerKey = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\SendTo";
inline constexpr std::string_view kSendToHandlerClsid = "{7BA4C740-9E81-11CF-99D3-00AA004AE837}";

class SendToMenuSwitch {
public:
    SendToMenuSwitch(RegistryBackend& registry, Shell& shell);

    // Writes the handler's CLSID (on) or an empty string (off) into the key's default
    // value, creating the key when missing, then broadcasts. A key that cannot be
    // opened for writing changes nothing and says nothing; a failed write raises.
    void SetSendToMenuEnabled(bool on);

    // True when the key exists and its default value is empty or missing. A default
    // value that is not a string raises its "Invalid data type" text with a second line
    // naming the key.
    bool IsSendToMenuDisabled();

private:
    RegistryBackend& registry_;
    Shell& shell_;
};

}  // namespace kestrova
