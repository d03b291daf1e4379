// Code pages through iconv, whose "CPnnnn" converters hold the Windows tables.
#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace kestrova {

namespace {

constexpr unsigned kUtf8CodePage = 65001;
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// Owns a conversion descriptor of iconv_open; invalid when the code page is unknown.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `input` as it can, appending to `output`; stops at the first
    // byte sequence it cannot convert. Returns the number of bytes consumed.
    std::size_t Convert(std::string_view input, std::string& output)
    {
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG)
                break;
        }
        return input.size() - inLeft;
    }

private:
    iconv_t cd_;
};

std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

}  // namespace

unsigned AnsiCodePage() { return 1252; }

unsigned OemCodePage() { return 437; }

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage)
{
    if (codePage == kUtf8CodePage)
        return std::string(bytes);
    Converter converter("UTF-8", IconvName(codePage));
    std::string text;
    while (!bytes.empty()) {
        const std::size_t used = converter.valid() ? converter.Convert(bytes, text) : 0;
        bytes.remove_prefix(used);
        if (!bytes.empty()) {
            // A byte the code page leaves undefined (ASCII stays when the code page is unknown).
            if (static_cast<unsigned char>(bytes.front()) < 0x80)
                text += bytes.front();
            else
                text += kReplacementUtf8;
            bytes.remove_prefix(1);
        }
    }
    return text;
}

std::optional<std::string> Utf8ToCodePage(std::string_view text, unsigned codePage)
{
    if (codePage == kUtf8CodePage)
        return std::string(text);
    Converter converter(IconvName(codePage), "UTF-8");
    if (!converter.valid())
        return std::nullopt;
    std::string bytes;
    if (converter.Convert(text, bytes) != text.size())
        return std::nullopt;
    return bytes;
}

}  // namespace kestrova
