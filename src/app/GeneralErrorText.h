// The text of the application's general error report: the error's own text, with a
// full stop added when it ends in a character that sorts after ".".
#pragma once

#include <string>

namespace kestrova {

std::string GeneralErrorText(const std::string& message);

}  // namespace kestrova
