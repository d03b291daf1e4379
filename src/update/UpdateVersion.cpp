#include "update/UpdateVersion.h"

namespace kestrova {

bool IsUpdateVersion(std::string_view text)
{
    int parts = 0;
    while (true) {
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == 0 || digits > 5 || ++parts > 4)
            return false;
        text.remove_prefix(digits);
        if (text.empty())
            return true;
        if (text.front() != '.')
            return false;
        text.remove_prefix(1);
    }
}

}  // namespace kestrova
