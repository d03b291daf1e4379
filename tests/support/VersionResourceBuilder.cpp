#include "VersionResourceBuilder.h"

#include "platform/Utf.h"

#include <cstring>
#include <map>

namespace kestrova {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoStructVersion = 0x00010000;

void PutWord(Bytes& out, std::uint16_t word)
{
    out.push_back(static_cast<std::uint8_t>(word & 0xFF));
    out.push_back(static_cast<std::uint8_t>(word >> 8));
}

void PutDword(Bytes& out, std::uint32_t dword)
{
    PutWord(out, static_cast<std::uint16_t>(dword & 0xFFFF));
    PutWord(out, static_cast<std::uint16_t>(dword >> 16));
}

void PutText(Bytes& out, const std::string& text)
{
    for (const char16_t unit : Utf8ToUtf16(text))
        PutWord(out, unit);
    PutWord(out, 0);
}

void Align(Bytes& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

// One block: header, key, value and children, each part on a 4-byte boundary (blocks are
// built at aligned offsets, so aligning within the block aligns within the resource).
Bytes Block(const std::string& key, std::uint16_t type, const Bytes& value, std::uint16_t valueLength,
            const std::vector<Bytes>& children = {})
{
    Bytes out;
    PutWord(out, 0);  // total length, filled in below
    PutWord(out, valueLength);
    PutWord(out, type);
    PutText(out, key);
    Align(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        Align(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    const auto total = static_cast<std::uint16_t>(out.size());
    std::memcpy(out.data(), &total, sizeof total);
    return out;
}

Bytes TextBlock(const std::string& key, const std::string& text)
{
    Bytes value;
    PutText(value, text);
    return Block(key, kText, value, static_cast<std::uint16_t>(value.size() / 2));
}

}  // namespace

VersionResourceBuilder& VersionResourceBuilder::FixedFileVersion(std::uint16_t major, std::uint16_t minor,
                                                                 std::uint16_t release, std::uint16_t build)
{
    hasFixedInfo_ = true;
    fileVersionMs_ = (std::uint32_t{major} << 16) | minor;
    fileVersionLs_ = (std::uint32_t{release} << 16) | build;
    return *this;
}

VersionResourceBuilder& VersionResourceBuilder::Translation(std::uint16_t language, std::uint16_t codePage)
{
    Bytes bytes;
    PutWord(bytes, language);
    PutWord(bytes, codePage);
    return TranslationBytes(std::move(bytes));
}

VersionResourceBuilder& VersionResourceBuilder::TranslationBytes(std::vector<std::uint8_t> bytes)
{
    hasTranslation_ = true;
    translation_ = std::move(bytes);
    return *this;
}

VersionResourceBuilder& VersionResourceBuilder::String(const std::string& code, const std::string& name,
                                                       const std::string& value)
{
    strings_.push_back({code, name, value});
    return *this;
}

std::vector<std::uint8_t> VersionResourceBuilder::Build() const
{
    Bytes fixedInfo;
    if (hasFixedInfo_) {
        PutDword(fixedInfo, kFixedInfoSignature);
        PutDword(fixedInfo, kFixedInfoStructVersion);
        PutDword(fixedInfo, fileVersionMs_);
        PutDword(fixedInfo, fileVersionLs_);
        PutDword(fixedInfo, fileVersionMs_);  // product version
        PutDword(fixedInfo, fileVersionLs_);
        for (int field = 0; field < 7; ++field)  // flags mask, flags, OS, type, subtype, date
            PutDword(fixedInfo, 0);
    }

    std::vector<Bytes> sections;
    if (!strings_.empty()) {
        std::map<std::string, std::vector<Bytes>> tables;
        std::vector<std::string> order;
        for (const Entry& entry : strings_) {
            if (!tables.contains(entry.code))
                order.push_back(entry.code);
            tables[entry.code].push_back(TextBlock(entry.name, entry.value));
        }
        std::vector<Bytes> tableBlocks;
        for (const std::string& code : order)
            tableBlocks.push_back(Block(code, kText, {}, 0, tables[code]));
        sections.push_back(Block("StringFileInfo", kText, {}, 0, tableBlocks));
    }
    if (hasTranslation_) {
        const Bytes translation =
            Block("Translation", kBinary, translation_, static_cast<std::uint16_t>(translation_.size()));
        sections.push_back(Block("VarFileInfo", kText, {}, 0, {translation}));
    }
    return Block("VS_VERSION_INFO", kBinary, fixedInfo, static_cast<std::uint16_t>(fixedInfo.size()), sections);
}

}  // namespace kestrova
