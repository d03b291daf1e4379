#include "update/CheckOutcome.h"

#include "update/VersionCompare.h"

namespace kestrova {

std::string AvailableUpdateText(const UpdateTextFunction& text, std::string_view localVersion,
                                std::string_view serverVersion)
{
    return text("LangUpdateAvailable") + " " + std::string(localVersion) + " ---> " + std::string(serverVersion);
}

CheckDisplay DisplayCheckResult(const std::optional<ServerRelease>& release, std::string_view localVersion,
                                const UpdateTextFunction& text)
{
    if (!release)
        return {text("LangFailedCheckUpdates"), text("LangConnectionError"), false};
    if (CompareVersions(release->version, localVersion) == 1)
        return {AvailableUpdateText(text, localVersion, release->version), release->version, true};
    return {text("LangNoUpdate"), release->version, false};
}

std::string UpdateQuestionText(const UpdateTextFunction& text, std::string_view serverVersion)
{
    return text("LangUpdateAvailable") + " " + std::string(serverVersion) + "\r\n" + text("LangUpdateNow");
}

}  // namespace kestrova
