// The version-information functions over version resources held in memory, as the
// resource compiler lays them out (VS_VERSIONINFO), keyed by file name. Lets the version
// logic run where there are no Windows executables to read.
#pragma once

#include "platform/VersionInfoApi.h"

#include <map>
#include <vector>

namespace kestrova {

class BlobVersionInfo : public VersionInfoApi {
public:
    // Makes `resource` the version resource of `fileName`; files never set have none.
    void SetResource(const std::string& fileName, std::vector<std::uint8_t> resource);

    std::uint32_t InfoSize(const std::string& fileName) const override;
    bool ReadInfo(const std::string& fileName, std::span<std::uint8_t> buffer) const override;
    bool QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock, const std::uint8_t*& value,
                    std::uint32_t& length) const override;

private:
    std::map<std::string, std::vector<std::uint8_t>> resources_;
};

}  // namespace kestrova
