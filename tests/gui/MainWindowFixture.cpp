#include "MainWindowFixture.h"

#include <commctrl.h>

namespace kestrova {

void MainWindowTest::SetUp()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    form = std::make_unique<MainWindow>();
    form->messageBox = [this](HWND, const std::wstring& text, const std::wstring& title, UINT type) {
        messages.push_back({text, title, type});
        return messageBoxAnswer;
    };
    form->Show(SW_SHOWNORMAL);
    SetForegroundWindow(form->Handle());
    Pump();
}

void MainWindowTest::TearDown()
{
    form.reset();
    Pump();
}

void MainWindowTest::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindowTest::Fill(ListView& list, std::vector<std::string> captions)
{
    ListViewRowSink rows(list);
    for (std::string& caption : captions)
        rows.Add({std::move(caption), {"type", "HKEY_LOCAL_MACHINE", "path"}, true});
}

void MainWindowTest::Select(ListView& list, int index)
{
    if (index < 0) {
        ListView_SetItemState(list.Handle(), -1, 0, LVIS_SELECTED);
    } else {
        ListView_SetItemState(list.Handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

}  // namespace kestrova
