// Builds a version resource (VS_VERSIONINFO) the way the resource compiler lays it out,
// for tests of the version-information logic.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestrova {

class VersionResourceBuilder {
public:
    // The fixed file information's file version.
    VersionResourceBuilder& FixedFileVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                                             std::uint16_t build);
    // "VarFileInfo\Translation" holding one language/code-page pair.
    VersionResourceBuilder& Translation(std::uint16_t language, std::uint16_t codePage);
    // "VarFileInfo\Translation" holding exactly these bytes, well-formed or not.
    VersionResourceBuilder& TranslationBytes(std::vector<std::uint8_t> bytes);
    // A value of the string table `code` (eight hex digits), in the order added.
    VersionResourceBuilder& String(const std::string& code, const std::string& name, const std::string& value);

    std::vector<std::uint8_t> Build() const;

private:
    bool hasFixedInfo_ = false;
    std::uint32_t fileVersionMs_ = 0;
    std::uint32_t fileVersionLs_ = 0;
    bool hasTranslation_ = false;
    std::vector<std::uint8_t> translation_;
    struct Entry {
        std::string code, name, value;
    };
    std::vector<Entry> strings_;
};

}  // namespace kestrova
