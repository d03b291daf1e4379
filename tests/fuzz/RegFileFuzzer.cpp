// Fuzzes the reader of registry files that Undo puts deleted keys back from: any bytes
// must give keys or none without a crash, the file written from keys read must read back
// as keys that write the same file, and writing them into a registry must succeed or
// fail cleanly.
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegFile.h"
#include "platform/RegistryTree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::vector<RegFileKey>> keys = ParseRegFile(bytes);
    if (!keys)
        return 0;
    // Text that is not UTF-8 (after a UTF-8 byte-order mark) is written as replacement
    // characters, so the file written, not the keys, is what must come back.
    const std::string written = FormatRegFile(*keys);
    const std::optional<std::vector<RegFileKey>> reread = ParseRegFile(written);
    if (!reread || FormatRegFile(*reread) != written)
        std::abort();

    MemoryRegistry registry;
    try {
        WriteKeyTree(registry, RegRoot::CurrentUser, 0, *keys);
    } catch (const AppError&) {
        // A path or value the registry refuses: Undo reports it as failed.
    }
    return 0;
}
