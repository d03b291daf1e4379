// The update window's two stored options: checking at start-up and updating at once.
#pragma once

#include "settings/IniDocument.h"

namespace kestrova {

struct UpdateOptions {
    bool autoCheck = true;    // CheckBoxAutoCheck
    bool autoUpdate = false;  // CheckBoxAutoUpdate
};

// [Option] CheckBoxAutoCheck (default set) and CheckBoxAutoUpdate (default clear).
UpdateOptions LoadUpdateOptions(const IniDocument& document);
// Writes CheckBoxAutoCheck, then CheckBoxAutoUpdate.
void SaveUpdateOptions(IniDocument& document, const UpdateOptions& options);

}  // namespace kestrova
