#include "update/DownloadNames.h"

#include "platform/AsciiText.h"
#include "platform/Utf.h"

#include <algorithm>
#include <optional>

namespace kestrova {

namespace {

// Whether a "%" followed by two hexadecimal digits starts at `i`.
bool IsEscapeAt(std::string_view text, std::size_t i)
{
    return text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
           HexDigitValue(text[i + 2]) >= 0;
}

// The text with every %XX replaced by its byte; none when a "%" starts no escape or
// the bytes are not UTF-8.
std::optional<std::string> PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (!IsEscapeAt(text, i))
            return std::nullopt;
        decoded += static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
        i += 2;
    }
    if (!IsValidUtf8(decoded))
        return std::nullopt;
    return decoded;
}

bool IsForbiddenInFileName(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F || std::string_view(R"(/\:*?"<>|)").find(c) != std::string_view::npos;
}

// A name that, joined to a folder, names a file directly inside that folder.
bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.back() == '.' || name.back() == ' ')
        return false;
    for (const char c : name) {
        if (IsForbiddenInFileName(c))
            return false;
    }
    return true;
}

// Characters that stand for themselves in a URL path: unreserved, sub-delims, ":", "@"
// and the "/" between segments.
bool MayStandInPath(char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-._~!$&'()*+,;=:@/").find(c) != std::string_view::npos;
}

std::string PercentEncodedPath(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (MayStandInPath(c) || IsEscapeAt(path, i)) {
            encoded += c;
        } else {
            const auto code = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += kHex[code >> 4];
            encoded += kHex[code & 0x0F];
        }
    }
    return encoded;
}

}  // namespace

std::string FileNameFromUrl(std::string_view url)
{
    url = url.substr(0, url.find('?'));
    url = url.substr(0, url.find('#'));
    while (!url.empty() && url.back() == '/')
        url.remove_suffix(1);
    const std::size_t slash = url.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? url : url.substr(slash + 1);

    if (const std::optional<std::string> decoded = PercentDecoded(name); decoded && IsPlainFileName(*decoded))
        return *decoded;
    return IsPlainFileName(name) ? std::string(name) : std::string();
}

std::string RequestUrl(std::string_view url)
{
    const std::string_view withoutFragment = url.substr(0, url.find('#'));
    const std::size_t queryStart = std::min(withoutFragment.find('?'), withoutFragment.size());
    const std::string_view beforeQuery = withoutFragment.substr(0, queryStart);

    const std::size_t schemeEnd = beforeQuery.find("://");
    const std::size_t authorityStart = schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3;
    const std::size_t pathStart = std::min(beforeQuery.find('/', authorityStart), beforeQuery.size());

    return std::string(beforeQuery.substr(0, pathStart)) + PercentEncodedPath(beforeQuery.substr(pathStart)) +
           std::string(withoutFragment.substr(queryStart));
}

}  // namespace kestrova
