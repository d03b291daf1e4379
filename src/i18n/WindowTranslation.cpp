#include "i18n/WindowTranslation.h"

#include "product/ProductNames.h"
#include "i18n/MissingKeyLog.h"
#include "settings/IniDocument.h"

namespace kestrova {

void TranslateForm(Translation& translation, WindowModel& window, std::string_view section,
                   const LanguageContext& context)
{
    translation.Section = section;
    const std::string path = StoredLanguageFilePath(context);
    const std::string logPath = MissingKeyLogPath(context.exeFolder);
    if (path.empty() || !context.fs.FileExists(path))
        return;

    translation.Values = IniDocument::Load(context.fs, path, context.ansiCodePage).ReadSectionValues(section);
    const bool logging = context.fs.FileExists(logPath);
    translation.Missing = logging ? ReadMissingKeyLog(context.fs, logPath, context.ansiCodePage)
                                  : std::vector<std::string>{};
    translation.Form = &window;

    TranslateWindowTexts(translation);

    translation.Values.clear();
    if (logging && !translation.Missing.empty())
        WriteMissingKeyLog(context.fs, logPath, translation.Missing);
    translation.Missing.clear();
}

// No GUI events run between the texts: a whole pass takes a few milliseconds (see
// language_pass_benchmark), so the windows stay responsive anyway, and a language switch
// cannot start inside a running one.
void TranslateAllWindows(const std::vector<WindowModel*>& windows, const LanguageContext& context)
{
    Translation translation;
    for (WindowModel* window : windows) {
        try {
            const std::string path = StoredLanguageFilePath(context);
            if (path.empty() || !IniDocument::Load(context.fs, path, context.ansiCodePage).SectionExists(kApplicationTitle))
                continue;
            TranslateForm(translation, *window, kApplicationTitle, context);
        } catch (const std::exception&) {
            // A failing window's run ends silently; the others are translated as usual.
        }
        translation = Translation{};
    }
}

}  // namespace kestrova
