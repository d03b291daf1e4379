#include "platform/win32/Win32VersionInfo.h"

#include "platform/win32/WideString.h"

#include <windows.h>

namespace kestrova {

std::uint32_t Win32VersionInfo::InfoSize(const std::string& fileName) const
{
    DWORD ignored = 0;
    return GetFileVersionInfoSizeW(Widen(fileName).c_str(), &ignored);
}

bool Win32VersionInfo::ReadInfo(const std::string& fileName, std::span<std::uint8_t> buffer) const
{
    return GetFileVersionInfoW(Widen(fileName).c_str(), 0, static_cast<DWORD>(buffer.size()), buffer.data()) != 0;
}

bool Win32VersionInfo::QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock,
                                  const std::uint8_t*& value, std::uint32_t& length) const
{
    void* found = nullptr;
    UINT foundLength = 0;
    if (!VerQueryValueW(block.data(), Widen(subBlock).c_str(), &found, &foundLength))
        return false;
    value = static_cast<const std::uint8_t*>(found);
    length = foundLength;
    return true;
}

}  // namespace kestrova
