#include "platform/BlobVersionInfo.h"

#include "platform/Utf.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace kestrova {

namespace {

// One block of the resource: a header (total length, value length, type), a zero-ended
// UTF-16 key, the value and the child blocks, each part starting on a 4-byte boundary
// of the resource.
struct Block {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::u16string key;
    std::size_t valueOffset = 0;
    std::uint16_t valueLength = 0;  // UTF-16 units for text, bytes otherwise
    std::size_t childrenOffset = 0;
};

constexpr std::size_t kHeaderSize = 6;
constexpr std::uint16_t kTextType = 1;

std::size_t AlignUp(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

std::uint16_t ReadWord(std::span<const std::uint8_t> data, std::size_t offset)
{
    std::uint16_t word;
    std::memcpy(&word, data.data() + offset, sizeof word);
    return word;
}

// The block at `begin`, which must lie within `limit`; none when it is malformed.
std::optional<Block> ParseBlock(std::span<const std::uint8_t> data, std::size_t begin, std::size_t limit)
{
    if (begin + kHeaderSize > limit)
        return std::nullopt;
    const std::uint16_t totalLength = ReadWord(data, begin);
    if (totalLength < kHeaderSize || begin + totalLength > limit)
        return std::nullopt;
    Block block;
    block.begin = begin;
    block.end = begin + totalLength;
    block.valueLength = ReadWord(data, begin + 2);
    const std::uint16_t type = ReadWord(data, begin + 4);
    std::size_t at = begin + kHeaderSize;
    for (;; at += 2) {
        if (at + 2 > block.end)
            return std::nullopt;
        const char16_t unit = ReadWord(data, at);
        if (unit == 0)
            break;
        block.key += unit;
    }
    block.valueOffset = AlignUp(at + 2);
    const std::size_t valueBytes = type == kTextType ? std::size_t{block.valueLength} * 2 : block.valueLength;
    if (block.valueOffset + valueBytes > block.end)
        return std::nullopt;
    block.childrenOffset = AlignUp(block.valueOffset + valueBytes);
    return block;
}

// The child of `parent` whose key equals `key`, ignoring ASCII case.
std::optional<Block> FindChild(std::span<const std::uint8_t> data, const Block& parent, const std::u16string& key)
{
    const auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; };
    for (std::size_t at = parent.childrenOffset; at < parent.end;) {
        const std::optional<Block> child = ParseBlock(data, at, parent.end);
        if (!child)
            return std::nullopt;
        if (std::ranges::equal(child->key, key, {}, lower, lower))
            return child;
        at = AlignUp(child->end);
    }
    return std::nullopt;
}

}  // namespace

void BlobVersionInfo::SetResource(const std::string& fileName, std::vector<std::uint8_t> resource)
{
    resources_[fileName] = std::move(resource);
}

std::uint32_t BlobVersionInfo::InfoSize(const std::string& fileName) const
{
    const auto found = resources_.find(fileName);
    return found == resources_.end() ? 0 : static_cast<std::uint32_t>(found->second.size());
}

bool BlobVersionInfo::ReadInfo(const std::string& fileName, std::span<std::uint8_t> buffer) const
{
    const auto found = resources_.find(fileName);
    if (found == resources_.end())
        return false;
    std::copy_n(found->second.begin(), std::min(buffer.size(), found->second.size()), buffer.begin());
    return true;
}

bool BlobVersionInfo::QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock,
                                 const std::uint8_t*& value, std::uint32_t& length) const
{
    std::optional<Block> current = ParseBlock(block, 0, block.size());
    std::size_t start = 0;
    while (current && start <= subBlock.size()) {
        std::size_t end = subBlock.find('\\', start);
        if (end == std::string::npos)
            end = subBlock.size();
        if (end > start)
            current = FindChild(block, *current, Utf8ToUtf16(subBlock.substr(start, end - start)));
        start = end + 1;
    }
    if (!current)
        return false;
    value = block.data() + current->valueOffset;
    length = current->valueLength;
    return true;
}

}  // namespace kestrova
