// Fuzzes the language-file path: any bytes read as a language file must be cleaned as
// at start-up and then applied to the program's three windows without a crash, a
// cleaned file must need no further cleaning, and the same bytes read as a missing-key
// log must split into lines.
#include "about/AboutWindowComponents.h"
#include "app/MainWindowComponents.h"
#include "update/UpdateWindowComponents.h"
#include "i18n/LanguageFileCleaning.h"
#include "i18n/Translation.h"
#include "product/ProductNames.h"
#include "platform/TextEncoding.h"
#include "settings/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kestrova;

constexpr unsigned kCyrillicCodePage = 1251;

// The update window as the program fills it at run time, plus a tab control with tabs,
// which no window of the program has.
WindowModel UpdateWindow()
{
    WindowModel window = BuildUpdateWindowComponents();
    window.SetText("LabelLocalVersion", TextAttribute::Caption, "1.0.0.0");
    window.SetText("LabelServerVersion", TextAttribute::Caption, "1.1.0.0");
    Component tabs = MakeComponent(ComponentKind::TabControl, "TabControl1", "");
    tabs.tabs = {"Первая", "-", "12"};
    window.Add(tabs);
    return window;
}

void Translate(WindowModel& window, const std::vector<std::string>& values)
{
    Translation translation;
    translation.Form = &window;
    translation.Values = values;
    TranslateWindowTexts(translation);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Built once; the translation works on fresh copies.
    static const WindowModel kMain = BuildMainWindowComponents();
    static const WindowModel kAbout = BuildAboutWindowComponents();
    static const WindowModel kUpdate = UpdateWindow();
    static const std::vector<const WindowModel*> kWindows{&kMain, &kAbout, &kUpdate};

    // The start-up cleaning rewrites the file; read back, it needs no more.
    IniDocument document = IniDocument::Parse(bytes, kCyrillicCodePage);
    CleanLanguageDocument(document, kWindows);
    const IniDocument cleaned = IniDocument::Parse(document.Serialize(), kCyrillicCodePage);
    IniDocument recleaned = cleaned;
    if (CleanLanguageDocument(recleaned, kWindows))
        std::abort();  // a cleaned file would be rewritten at every start

    // The start-up translation then applies the cleaned file. (A file that cannot be
    // rewritten is applied as it stands: the same lookups among more lines.)
    if (cleaned.SectionExists(kApplicationTitle)) {
        const std::vector<std::string> values = cleaned.ReadSectionValues(kApplicationTitle);
        // Copied over the previous input's windows, which reuses their storage.
        static WindowModel main = kMain;
        static WindowModel about = kAbout;
        static WindowModel update = kUpdate;
        main = kMain;
        about = kAbout;
        update = kUpdate;
        Translate(main, values);
        Translate(about, values);
        Translate(update, values);
    }

    // As a missing-key log.
    const DecodedText log = DecodeText(bytes, kCyrillicCodePage);
    for (const std::string_view line : SplitLines(log.text))
        (void)line.size();
    return 0;
}
