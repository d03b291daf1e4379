// The version-information functions of the platform (version.dll on Windows), through
// which FileInfoUtils reads a file's version resource.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrova {

class VersionInfoApi {
public:
    virtual ~VersionInfoApi() = default;

    // GetFileVersionInfoSizeW: bytes needed to hold the file's version resource; 0 when
    // the file has none or cannot be read.
    virtual std::uint32_t InfoSize(const std::string& fileName) const = 0;
    // GetFileVersionInfoW: fills `buffer` (of the size InfoSize gave) with the resource.
    virtual bool ReadInfo(const std::string& fileName, std::span<std::uint8_t> buffer) const = 0;
    // VerQueryValueW over a buffer that ReadInfo filled. `subBlock` is "\" for the fixed file
    // information, "\VarFileInfo\Translation" or "\StringFileInfo\<code>\<name>" (the leading
    // backslash may be left out). On success `value` points into `block`; `length` is in
    // UTF-16 units for a string value and in bytes for any other.
    virtual bool QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock,
                            const std::uint8_t*& value, std::uint32_t& length) const = 0;
};

}  // namespace kestrova
