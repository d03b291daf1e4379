// Reading and writing the update window's two stored options.
#pragma once

#include "settings/IniDocument.h"
#include "settings/ProgramState.h"

namespace kestrova {

// [Option] CheckBoxAutoCheck (default set) and CheckBoxAutoUpdate (default clear).
UpdateOptions LoadUpdateOptions(const IniDocument& document);
// Writes CheckBoxAutoCheck, then CheckBoxAutoUpdate.
void SaveUpdateOptions(IniDocument& document, const UpdateOptions& options);

}  // namespace kestrova
