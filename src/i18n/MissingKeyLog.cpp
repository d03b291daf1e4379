#include "i18n/MissingKeyLog.h"

#include "platform/AppError.h"
#include "platform/AtomicFileWrite.h"
#include "platform/TextEncoding.h"

namespace kestrova {

std::vector<std::string> ReadMissingKeyLog(FileSystem& fs, const std::string& path, unsigned ansiCodePage)
{
    std::string bytes;
    if (!fs.ReadWholeFile(path, bytes))
        throw AppError(FillPattern("Cannot open file \"%s\".", path));
    const std::string text = DecodeText(bytes, ansiCodePage).text;
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

void WriteMissingKeyLog(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    if (!WriteFileAtomically(fs, path, EncodeText(text, TextEncoding::Utf16LittleEndian, 0)))
        throw AppError(FillPattern("Cannot write file \"%s\".", path));
}

}  // namespace kestrova
