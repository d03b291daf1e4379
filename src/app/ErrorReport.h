// The text of the application's general error report.
#pragma once

#include <string>

namespace kestrova {

// The error's message, with a full stop added when it ends in a character that
// sorts after "." in code order: "Access denied" and "Why?" get one, "Done." and
// "Stop!" do not.
std::string ErrorReportText(const std::string& message);

}  // namespace kestrova
