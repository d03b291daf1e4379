// The registry backends this platform has (the in-memory hive in both of its classes
// layouts, and the real registry on Windows), each with what its registry shows of two
// Windows rules that an environment may not follow, for tests that run one table of
// cases against all of them (gtest's ValuesIn).
#pragma once

#include "platform/RegistryBackend.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace kestrova {

struct BackendCase {
    std::string name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
    // Windows shares HKLM\SOFTWARE\Classes between the views. A Wine prefix whose
    // 32-bit half was never set up keeps the 32-bit view's classes apart instead.
    bool sharesClasses = true;
    // Windows enumerates values in creation order; Wine's registry sorts them by name.
    bool valuesInCreationOrder = true;
};

// Each backend's traits are measured once, on first use, by writing scratch keys.
std::vector<BackendCase> RegistryBackends();

// Why a case that needs a rule is skipped where the backend at hand does not follow it.
inline constexpr const char* kClassesApartReason =
    "this registry keeps HKLM\\SOFTWARE\\Classes apart between the 32-bit and the 64-bit view "
    "(a Wine prefix whose 32-bit half was never set up); Windows shares it";
inline constexpr const char* kClassesSharedReason =
    "this registry shares HKLM\\SOFTWARE\\Classes between the 32-bit and the 64-bit view, as "
    "Windows does; only a Wine prefix whose 32-bit half was never set up keeps them apart";
inline constexpr const char* kValuesSortedReason =
    "this registry enumerates values sorted by name (Wine); Windows keeps creation order";

inline void PrintTo(const BackendCase& backend, std::ostream* out)
{
    *out << backend.name;
}

}  // namespace kestrova
