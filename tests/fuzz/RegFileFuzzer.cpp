// Fuzzes the reader of registry files that Undo puts deleted keys back from: any bytes
// must give keys or none without a crash, keys read must write out and read back the
// same, and writing them into a registry must succeed or fail cleanly.
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
    if (ParseRegFile(FormatRegFile(*keys)) != keys)
        std::abort();

    MemoryRegistry registry;
    try {
        WriteKeyTree(registry, RegRoot::CurrentUser, 0, *keys);
    } catch (const AppError&) {
        // A path or value the registry refuses: Undo reports it as failed.
    }
    return 0;
}
