// A registry backend that forwards to another and fails chosen calls (by their
// 1-based number among all calls) with an error code, without forwarding them, so
// tests can break an operation at every step in turn.
#pragma once

#include "platform/RegistryBackend.h"

#include <set>

namespace kestrova {

class FaultInjectingRegistry : public RegistryBackend {
public:
    explicit FaultInjectingRegistry(RegistryBackend& inner) : inner_(inner) {}

    void FailCalls(std::set<std::size_t> numbers, long error = regerr::AccessDenied);
    // The process ends before call `number`: it and every later call fail without
    // reaching the registry, which keeps what the calls before it left.
    void EndRunAt(std::size_t number) { endAt_ = number; }
    // Cleared, the registry behaves as a platform without RegRenameKey.
    bool renames = true;
    // Cleared, the registry behaves as a platform that cannot tell a key's name.
    bool namesKeys = true;

    std::size_t Calls() const { return calls_; }
    std::size_t FailedCalls() const { return failed_; }
    // Calls that changed the registry (create, set, delete) and went through.
    std::size_t Writes() const { return writes_; }

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

private:
    // Counts the call; true when it is to fail.
    bool Fails();
    long Write(long result);

    RegistryBackend& inner_;
    std::set<std::size_t> failing_;
    long error_ = regerr::AccessDenied;
    std::size_t endAt_ = 0;  // none
    std::size_t calls_ = 0;
    std::size_t failed_ = 0;
    std::size_t writes_ = 0;
};

}  // namespace kestrova
