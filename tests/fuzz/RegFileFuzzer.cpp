// Fuzzes the reader of registry files that Undo puts deleted keys back from: any bytes
// must give keys or none without a crash, the file written from keys read must read back
// as the same keys, and writing them into a registry must succeed or fail cleanly.
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegFile.h"
#include "platform/RegistryTree.h"
#include "platform/Utf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kestrova;

std::string WrittenText(const std::string& text) { return Utf16ToUtf8(Utf8ToUtf16(text)); }

// The keys as a file written from them gives them back: text that is not UTF-8 (which
// can follow a UTF-8 byte-order mark) becomes replacement characters, all else stays.
std::vector<RegFileKey> AsWritten(std::vector<RegFileKey> keys)
{
    for (RegFileKey& key : keys) {
        key.path = WrittenText(key.path);
        for (auto& value : key.values)
            value.first = WrittenText(value.first);
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::vector<RegFileKey>> keys = ParseRegFile(bytes);
    if (!keys)
        return 0;
    if (ParseRegFile(FormatRegFile(*keys)) != AsWritten(*keys))
        std::abort();

    MemoryRegistry registry;
    try {
        WriteKeyTree(registry, RegRoot::CurrentUser, 0, *keys);
    } catch (const AppError&) {
        // A path or value the registry refuses: Undo reports it as failed.
    }
    return 0;
}
