#include "cli/Profile.h"

#include "platform/AsciiText.h"
#include "platform/Utf.h"

namespace kestrova {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string LineError(std::size_t line, std::string_view what)
{
    return "line " + std::to_string(line) + ": " + std::string(what);
}

bool IsJunk(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
}

}  // namespace

ProfileParse ParseProfile(std::string_view text, const std::function<bool(std::string_view)>& isListName)
{
    ProfileParse result;
    if (text.size() > kMaxProfileSize) {
        result.error = "the file is larger than " + std::to_string(kMaxProfileSize / 1024) + " KiB";
        return result;
    }
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    if (!IsValidUtf8(text)) {
        result.error = "the file is not UTF-8 text";
        return result;
    }
    ProfileList* current = nullptr;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        for (char c : line) {
            if (IsJunk(c)) {
                result = {};
                result.error = LineError(lineNumber, "the file holds control characters, not text");
                return result;
            }
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']') {
                result = {};
                result.error = LineError(lineNumber, "a list line must read [name]");
                return result;
            }
            const std::string name(TrimBlanks(line.substr(1, line.size() - 2)));
            if (!isListName(name)) {
                result = {};
                result.error = LineError(lineNumber, "there is no list \"" + name + "\"");
                return result;
            }
            current = nullptr;
            for (ProfileList& list : result.lists) {
                if (list.name == name)
                    current = &list;
            }
            if (!current)
                current = &result.lists.emplace_back(ProfileList{name, {}});
            continue;
        }
        if (!current) {
            result = {};
            result.error = LineError(lineNumber, "an id above the first [list] line");
            return result;
        }
        current->switchedOff.emplace_back(line);
    }
    return result;
}

bool FitsProfileLine(std::string_view id)
{
    return !id.empty() && TrimBlanks(id) == id && id.front() != '#' && id.front() != ';' && id.front() != '[' &&
           id.find_first_of("\r\n") == std::string_view::npos;
}

std::string FormatProfile(const std::vector<ProfileList>& lists, std::string_view version)
{
    std::string text;
    text += "# Kestrova profile, written by Kestrova " + std::string(version) + ".\r\n";
    text += "# Below each [list] line, the entries switched off, one id a line. Applying this file\r\n";
    text += "# (Kestrova.com profile apply FILE) switches these off and every other entry of the\r\n";
    text += "# lists named here on. Lines starting with # or ; are comments.\r\n";
    for (const ProfileList& list : lists) {
        text += "[" + list.name + "]\r\n";
        for (const std::string& id : list.switchedOff)
            text += id + "\r\n";
    }
    return text;
}

}  // namespace kestrova
