#include "update/UpdateOptions.h"

namespace kestrova {

namespace {

constexpr char kSection[] = "Option";
constexpr char kAutoCheck[] = "CheckBoxAutoCheck";
constexpr char kAutoUpdate[] = "CheckBoxAutoUpdate";

}  // namespace

UpdateOptions LoadUpdateOptions(const IniDocument& document)
{
    const UpdateOptions defaults;
    return {document.ReadBool(kSection, kAutoCheck, defaults.autoCheck),
            document.ReadBool(kSection, kAutoUpdate, defaults.autoUpdate)};
}

void SaveUpdateOptions(IniDocument& document, const UpdateOptions& options)
{
    document.WriteBool(kSection, kAutoCheck, options.autoCheck);
    document.WriteBool(kSection, kAutoUpdate, options.autoUpdate);
}

}  // namespace kestrova
