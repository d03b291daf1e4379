#include "platform/FileInfoUtils.h"

#include "platform/Utf.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace kestrova {

namespace {

// US English, code page 1252: the table read when the resource names no translation.
constexpr const char* kFallbackTranslation = "040904E4";
// VS_FIXEDFILEINFO: signature, structure version, then the file version's high and low halves.
constexpr std::uint32_t kFixedFileInfoSize = 52;
constexpr std::size_t kFileVersionMsOffset = 8;
constexpr std::size_t kFileVersionLsOffset = 12;

template <typename T>
T ReadAt(const std::uint8_t* data, std::size_t offset)
{
    T value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// The file's whole version resource; empty when it has none or it cannot be read.
std::vector<std::uint8_t> ReadVersionResource(const VersionInfoApi& api, const std::string& fileName)
{
    const std::uint32_t size = api.InfoSize(fileName);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> buffer(size, 0);
    if (!api.ReadInfo(fileName, buffer))
        return {};
    return buffer;
}

// Eight upper-case hex digits, language then code page, of the first translation listed.
std::string TranslationCode(const VersionInfoApi& api, std::span<const std::uint8_t> block)
{
    const std::uint8_t* value = nullptr;
    std::uint32_t length = 0;
    if (!api.QueryValue(block, "VarFileInfo\\Translation", value, length) || value == nullptr || length < 4)
        return kFallbackTranslation;
    char code[9];
    std::snprintf(code, sizeof code, "%04X%04X", unsigned{ReadAt<std::uint16_t>(value, 0)},
                  unsigned{ReadAt<std::uint16_t>(value, 2)});
    return std::strcmp(code, "00000000") == 0 ? kFallbackTranslation : code;
}

// The first `length` UTF-16 units of a string value, cut at the end of the block should a
// malformed resource claim more.
std::optional<std::u16string> QueryString(const VersionInfoApi& api, std::span<const std::uint8_t> block,
                                          const std::string& subBlock)
{
    const std::uint8_t* value = nullptr;
    std::uint32_t length = 0;
    if (!api.QueryValue(block, subBlock, value, length) || value == nullptr || length == 0)
        return std::nullopt;
    const std::uint8_t* end = block.data() + block.size();
    if (value < block.data() || value >= end)
        return std::nullopt;
    const std::size_t units = std::min<std::size_t>(length, static_cast<std::size_t>(end - value) / 2);
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), value, units * 2);
    return text;
}

std::string StringTablePath(const VersionInfoApi& api, std::span<const std::uint8_t> block, const std::string& name)
{
    return "StringFileInfo\\" + TranslationCode(api, block) + "\\" + name;
}

// Digits are kept, "." and "," become one separating dot, blanks are skipped; anything
// else, the terminating zero included, ends the version.
std::string CleanVersion(std::u16string_view text)
{
    std::string version;
    for (const char16_t c : text) {
        if (c >= u'0' && c <= u'9')
            version += static_cast<char>(c);
        else if (c == u'.' || c == u',') {
            if (!version.empty() && version.back() != '.')
                version += '.';
        } else if (c != u' ')
            break;
    }
    if (!version.empty() && version.back() == '.')
        version.pop_back();
    return version;
}

std::string FixedFileVersion(const VersionInfoApi& api, std::span<const std::uint8_t> block)
{
    const std::uint8_t* value = nullptr;
    std::uint32_t length = 0;
    if (!api.QueryValue(block, "\\", value, length) || value == nullptr || length < kFixedFileInfoSize)
        return {};
    const auto high = ReadAt<std::uint32_t>(value, kFileVersionMsOffset);
    const auto low = ReadAt<std::uint32_t>(value, kFileVersionLsOffset);
    return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16) + "." +
           std::to_string(low & 0xFFFF);
}

}  // namespace

std::string GetVersionInfoString(const VersionInfoApi& api, const std::string& fileName, const std::string& name)
{
    const std::vector<std::uint8_t> block = ReadVersionResource(api, fileName);
    if (block.empty())
        return {};
    const std::optional<std::u16string> value = QueryString(api, block, StringTablePath(api, block, name));
    if (!value)
        return {};
    return Utf16ToUtf8(std::u16string_view(value->c_str()));
}

std::string GetFileVersion(const VersionInfoApi& api, const std::string& fileName)
{
    const std::vector<std::uint8_t> block = ReadVersionResource(api, fileName);
    if (block.empty())
        return {};
    if (const auto value = QueryString(api, block, StringTablePath(api, block, "FileVersion"))) {
        if (std::string version = CleanVersion(*value); !version.empty())
            return version;
    }
    return FixedFileVersion(api, block);
}

std::string GetLegalCopyright(const VersionInfoApi& api, const std::string& fileName)
{
    return GetVersionInfoString(api, fileName, "LegalCopyright");
}

std::string GetCompanyName(const VersionInfoApi& api, const std::string& fileName)
{
    return GetVersionInfoString(api, fileName, "CompanyName");
}

}  // namespace kestrova
