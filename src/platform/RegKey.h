// Ownership of one open registry key handle: closed through its backend when the
// owner goes, on every path.
#pragma once

#include "platform/RegistryBackend.h"

#include <utility>

namespace kestrova {

class RegKey {
public:
    RegKey() = default;
    RegKey(RegistryBackend& backend, RegHandle handle) : backend_(&backend), handle_(handle) {}
    ~RegKey() { Reset(); }

    RegKey(RegKey&& other) noexcept
        : backend_(other.backend_), handle_(std::exchange(other.handle_, RegHandle{})) {}
    RegKey& operator=(RegKey&& other) noexcept
    {
        if (this != &other) {
            Reset();
            backend_ = other.backend_;
            handle_ = std::exchange(other.handle_, RegHandle{});
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    RegHandle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != RegHandle{}; }

    void Reset()
    {
        if (handle_ != RegHandle{})
            backend_->CloseKey(std::exchange(handle_, RegHandle{}));
    }

private:
    RegistryBackend* backend_ = nullptr;
    RegHandle handle_{};
};

}  // namespace kestrova
