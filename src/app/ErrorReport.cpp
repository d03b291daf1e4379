#include "app/ErrorReport.h"

namespace kestrova {

std::string ErrorReportText(const std::string& message)
{
    // In UTF-8 every byte of a non-ASCII character is above ".", as is the character.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

}  // namespace kestrova
