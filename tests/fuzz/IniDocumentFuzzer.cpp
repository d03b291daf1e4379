// Fuzzes the INI reader: any bytes must parse without a crash, and the written form of a
// document must read back as the same document and write again unchanged.
#include "settings/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using kestrova::IniDocument;

bool SameContent(const IniDocument& a, const IniDocument& b)
{
    if (a.Sections().size() != b.Sections().size())
        return false;
    for (std::size_t i = 0; i < a.Sections().size(); ++i)
        if (a.Sections()[i].name != b.Sections()[i].name || a.Sections()[i].entries != b.Sections()[i].entries)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr unsigned kCyrillicCodePage = 1251;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document = IniDocument::Parse(bytes, kCyrillicCodePage);

    for (const auto& section : document.Sections())
        for (const auto& entry : section.entries)
            if (entry.value)
                (void)kestrova::ParseIniInteger(*entry.value);

    const std::string written = document.Serialize();
    const IniDocument reread = IniDocument::Parse(written, kCyrillicCodePage);
    if (!SameContent(document, reread) || reread.Serialize() != written)
        std::abort();

    if (!document.Sections().empty()) {
        const std::string first = document.Sections().front().name;
        (void)document.ReadBool(first, "Key", false);
        document.WriteString(first, "Key", "Value");
        document.DeleteKey(first, "Key");
        document.EraseSection(first);
    }
    return 0;
}
