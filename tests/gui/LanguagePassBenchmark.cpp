// Prints how long one application of a language takes over the real main window and the
// About and update windows' texts (file reading, lookups and the controls' updates), switching between the shipped English
// and Russian files so that every text changes in every pass.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "about/AboutWindowComponents.h"
#include "app/MainWindow.h"
#include "update/UpdateWindowComponents.h"
#include "i18n/WindowTranslation.h"
#include "platform/CodePage.h"

using namespace kestrova;

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    MainWindow form;
    form.Show(SW_SHOWNORMAL);
    WindowModel about = BuildAboutWindowComponents();
    WindowModel update = BuildUpdateWindowComponents();

    PlatformFileSystem files;
    ScratchFolder scratch(files);
    std::string exeFolder = KESTROVA_BUILD_DIR "/";
    if (exeFolder.starts_with('/'))
        exeFolder = "Z:" + exeFolder;  // the build's Linux path as Wine shows it
    const std::string options = scratch / "Option.ini";
    const LanguageContext context{files, exeFolder, AnsiCodePage(), [&] { return options; }};

    constexpr int kPasses = 100;
    std::vector<double> milliseconds;
    for (int pass = 0; pass < kPasses; ++pass) {
        files.WriteWholeFile(options, pass % 2 ? "[Language]\r\nLanguage=Russian\r\n" : "[Language]\r\nLanguage=English\r\n");
        const auto start = std::chrono::steady_clock::now();
        TranslateAllWindows({&form.Model(), &about, &update}, context);
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("language pass over the program's windows, %d passes: median %.2f ms, slowest %.2f ms (last text: %s)\n",
                kPasses, milliseconds[kPasses / 2], milliseconds.back(),
                form.Model().Get("ThemeMenu").Get(TextAttribute::Caption).c_str());
    return 0;
}
