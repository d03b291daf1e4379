#include "app/GeneralErrorText.h"

namespace kestrova {

std::string GeneralErrorText(const std::string& message)
{
    // Bytes of a multi-byte UTF-8 character are all above ".", as is the UTF-16 unit they encode.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

}  // namespace kestrova
