// What a finished update check shows: the status line, the server label and whether the
// Download button is offered, in the window's current language.
#pragma once

#include "update/UpdateServer.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The current text of one of the update window's message items (LangNoUpdate, ...).
using UpdateTextFunction = std::function<std::string(std::string_view item)>;

// "<LangUpdateAvailable> <local> ---> <server>".
std::string AvailableUpdateText(const UpdateTextFunction& text, std::string_view localVersion,
                                std::string_view serverVersion);

struct CheckDisplay {
    std::string status;       // LabelUpDate
    std::string serverLabel;  // LabelServerVersion
    bool updateAvailable = false;  // the server's version is newer than the local one
};

// `release` is what the server named, none when no base URL answered.
CheckDisplay DisplayCheckResult(const std::optional<ServerRelease>& release, std::string_view localVersion,
                                const UpdateTextFunction& text);

// The start-up question: "<LangUpdateAvailable> <server>", a line break, "<LangUpdateNow>".
std::string UpdateQuestionText(const UpdateTextFunction& text, std::string_view serverVersion);

}  // namespace kestrova
