#include "update/UpdateSignature.h"

#include "platform/AsciiText.h"
#include "platform/Base64.h"
#include "product/ProductNames.h"

#include <algorithm>

namespace kestrova {

std::string SignedMessageHeader(std::string_view fileName, std::string_view version)
{
    std::string header = std::string(kUpdateName) + " update\n";
    header.append(fileName);
    header += '\n';
    header.append(TrimBlanks(version));
    header += '\n';
    return header;
}

std::optional<UpdateSignature> ParseSignatureFile(std::string_view text)
{
    // A line break left inside after trimming means several lines; DecodeBase64 refuses it.
    const auto bytes = DecodeBase64(TrimBlanks(text));
    UpdateSignature signature;
    if (!bytes || bytes->size() != signature.size())
        return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), signature.begin());
    return signature;
}

}  // namespace kestrova
