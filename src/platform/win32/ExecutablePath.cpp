#include "platform/win32/ExecutablePath.h"

#include "platform/PathNames.h"
#include "platform/win32/WideString.h"

#include <windows.h>

#include <vector>

namespace kestrova {

std::string ExecutablePath()
{
    // Long paths do not fit MAX_PATH; grow until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return Narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableFolder()
{
    return FolderWithSeparator(ExecutablePath());
}

}  // namespace kestrova
