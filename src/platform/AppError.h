// The program's one error type: a failure carrying the message text that the
// handlers swallow or the general error report shows.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrova {

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" of a message pattern by `argument`.
std::string FillPattern(const std::string& pattern, const std::string& argument);

}  // namespace kestrova
