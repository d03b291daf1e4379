#include "catalogue/SendToMenuSwitch.h"

#include "catalogue/RegistryNames.h"
#include "platform/AppError.h"
#include "platform/RegistryCursor.h"

#include <string>

namespace kestrova {

namespace {

constexpr std::uint32_t kWriteAccess = access::AllAccess | access::Wow64_32Key;
constexpr std::uint32_t kReadAccess = access::Read | access::Wow64_32Key;
constexpr RegRoot kRoot = RegRoot::ClassesRoot;

}  // namespace

SendToMenuSwitch::SendToMenuSwitch(RegistryBackend& registry, Shell& shell) : registry_(registry), shell_(shell) {}

void SendToMenuSwitch::SetSendToMenuEnabled(bool on)
{
    RegistryCursor reg(registry_, kWriteAccess);
    reg.RootKey = kRoot;
    if (!reg.OpenKey(std::string(kSendToHandlerKey), true))
        return;
    reg.WriteString("", on ? std::string(kSendToHandlerClsid) : std::string());
    shell_.BroadcastSettingChange();
    reg.CloseKey();
}

bool SendToMenuSwitch::IsSendToMenuDisabled()
{
    RegistryCursor reg(registry_, kReadAccess);
    reg.RootKey = kRoot;
    if (!reg.OpenKeyReadOnly(std::string(kSendToHandlerKey)))
        return false;
    std::string text;
    try {
        text = reg.ReadString("");
    } catch (const AppError& error) {
        // The user needs to know which key holds the bad value.
        throw AppError(std::string(error.what()) + "\n" + RootKeyName(kRoot) + "\\" + std::string(kSendToHandlerKey));
    }
    reg.CloseKey();
    return text.empty();
}

}  // namespace kestrova
