// The registry backends this platform has, each with what sets it apart from Windows,
// for tests that run one table of cases against all of them (gtest's ValuesIn).
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
    // Windows shares HKLM\SOFTWARE\Classes between the views; Wine keeps the 32-bit
    // view's classes apart, at HKLM\SOFTWARE\Classes\Wow6432Node.
    bool sharesClasses = true;
    // Windows enumerates values in creation order; Wine by name, case-insensitively.
    bool valuesInCreationOrder = true;
};

std::vector<BackendCase> RegistryBackends();

inline void PrintTo(const BackendCase& backend, std::ostream* out)
{
    *out << backend.name;
}

}  // namespace kestrova
