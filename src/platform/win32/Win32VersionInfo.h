// The version-information functions of version.dll.
#pragma once

#include "platform/VersionInfoApi.h"

namespace kestrova {

class Win32VersionInfo : public VersionInfoApi {
public:
    std::uint32_t InfoSize(const std::string& fileName) const override;
    bool ReadInfo(const std::string& fileName, std::span<std::uint8_t> buffer) const override;
    bool QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock, const std::uint8_t*& value,
                    std::uint32_t& length) const override;
};

}  // namespace kestrova
