// The Windows 11 menu list of a started Kestrova.exe, read from outside the process: rows
// from packages whose manifests lie in a scratch folder (one malformed, one with a DTD),
// a verb hidden and shown through the Blocked values in the 64-bit view, and the
// classic-menu key set and removed with its copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "KestrovaProcess.h"
#include "RegistrySeed.h"
#include "RemoteListView.h"
#include "platform/RegValueData.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"

namespace kestrova {
namespace {

constexpr std::uint32_t View64 = access::Wow64_64Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
const std::string PackagedCom = "SOFTWARE\\Classes\\PackagedCom\\Package\\";
const std::string MachineRepository =
    "SOFTWARE\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "PackageRepository\\Packages\\";
const std::string UserRepository =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "Repository\\Packages\\";
const std::string Blocked = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Blocked";
const std::string ClassicKey = "Software\\Classes\\CLSID\\{86ca1aa0-34aa-4e8b-a509-50c905bae2a2}";
const std::string VersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string Manifest(const std::string& displayName, const std::string& itemTypes)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<Package xmlns="http://schemas.microsoft.com/appx/manifest/foundation/windows10"
         xmlns:desktop4="http://schemas.microsoft.com/appx/manifest/desktop/windows10/4"
         xmlns:desktop5="http://schemas.microsoft.com/appx/manifest/desktop/windows10/5">
  <Properties><DisplayName>)" +
           displayName + R"(</DisplayName></Properties>
  <Applications><Application Id="App"><Extensions>
    <desktop4:Extension Category="windows.fileExplorerContextMenus">
      <desktop4:FileExplorerContextMenus>)" +
           itemTypes + R"(</desktop4:FileExplorerContextMenus>
    </desktop4:Extension>
    <desktop4:Extension Category="windows.somethingElse">
      <desktop5:ItemType Type="*"><desktop5:Verb Id="NotAMenu" Clsid="00000000-0000-0000-0000-000000000001"/></desktop5:ItemType>
    </desktop4:Extension>
  </Extensions></Application></Applications>
</Package>
)";
}

class KestrovaWindows11Menu : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = Narrow(temp) + "kestrova-w11-" + id + "\\";
        for (const auto& [name, text] :
             {std::pair{pkgA, Manifest("Kestrova Test A " + id,
                                       "<desktop5:ItemType Type=\"*\"><desktop5:Verb Id=\"OpenA\" Clsid=\"" + clsid1 +
                                           "\"/></desktop5:ItemType><desktop5:ItemType Type=\"Directory\\Background\">"
                                           "<desktop5:Verb Id=\"HereA\" Clsid=\"" + clsid1 + "\"/></desktop5:ItemType>")},
              std::pair{pkgB, Manifest("ms-resource:AppName", "<desktop5:ItemType Type=\".zip\"><desktop5:Verb Id=\"ZipB\" "
                                                              "Clsid=\"{" + clsid2 + "}\"/></desktop5:ItemType>")},
              std::pair{pkgC, std::string("<Package><Properties><DisplayName>Broken</DisplayName></Properties>"
                                          "<desktop5:ItemType Type=\"*\">")},
              std::pair{pkgD, "<?xml version=\"1.0\"?><!DOCTYPE Package [<!ENTITY e \"x\">]>" +
                                  Manifest("&e;", "<desktop5:ItemType Type=\"*\"><desktop5:Verb Id=\"D\" Clsid=\"" +
                                                      clsid2 + "\"/></desktop5:ItemType>")
                                      .substr(38)}}) {
            CreateDirectoryW(Widen(folder).c_str(), nullptr);
            CreateDirectoryW(Widen(folder + name).c_str(), nullptr);
            std::ofstream(Widen(folder + name + "\\AppxManifest.xml").c_str(), std::ios::binary) << text;
            seed.CreateKey(HKLM, View64, PackagedCom + name);
        }
        seed.SetString(HKLM, View64, MachineRepository + pkgA, "Path", folder + pkgA);
        seed.SetString(HKCU, View64, UserRepository + pkgB, "PackageRootFolder", folder + pkgB);
        seed.SetString(HKLM, View64, MachineRepository + pkgC, "Path", folder + pkgC);
        seed.SetString(HKLM, View64, MachineRepository + pkgD, "Path", folder + pkgD);
        seed.SetString(HKCU, View64, Blocked, "{" + clsid2 + "}", "");
    }

    void TearDown() override
    {
        for (const std::string& name : {pkgA, pkgB, pkgC, pkgD}) {
            seed.DeleteTree(HKLM, View64, PackagedCom + name);
            seed.DeleteTree(HKLM, View64, MachineRepository + name);
            seed.DeleteTree(HKCU, View64, UserRepository + name);
            DeleteFileW(Widen(folder + name + "\\AppxManifest.xml").c_str());
            RemoveDirectoryW(Widen(folder + name).c_str());
        }
        RemoveDirectoryW(Widen(folder).c_str());
        for (RegRoot root : {HKLM, HKCU})
            for (const std::string& clsid : {clsid1, clsid2})
                DeleteBlocked(root, "{" + clsid + "}");
    }

    void DeleteBlocked(RegRoot root, const std::string& name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root)), Widen(Blocked).c_str(), 0,
                          KEY_SET_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, Widen(name).c_str());
            RegCloseKey(key);
        }
    }

    // The Windows 11 menu list: the one of five columns.
    static HWND MenuList(HWND window)
    {
        for (HWND list : ListViewsOf(window))
            if (ColumnCount(list) == 5)
                return list;
        return nullptr;
    }

    // This run's rows, by their place in the list.
    std::vector<std::pair<int, EntryRow>> OurRows(HWND list, DWORD process)
    {
        std::vector<std::pair<int, EntryRow>> ours;
        const std::vector<EntryRow> rows = RowsOf(list, process);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].subItems.size() == 4 && rows[i].subItems[3].find(id) != std::string::npos)
                ours.emplace_back(static_cast<int>(i), rows[i]);
        return ours;
    }

    Win32Registry registry;
    RegistrySeed seed{registry};
    const std::string id = std::to_string(std::random_device{}() % 100000000);
    std::string folder;
    const std::string pkgA = "Kestrova.TestA" + id + "_1.0.0.0_x64__kestrova";
    const std::string pkgB = "Kestrova.TestB" + id + "_1.0.0.0_neutral__kestrova";
    const std::string pkgC = "Kestrova.TestC" + id + "_1.0.0.0_x64__kestrova";
    const std::string pkgD = "Kestrova.TestD" + id + "_1.0.0.0_x64__kestrova";
    const std::string clsid1 = "6b1a0c3e-0000-4000-8000-" + std::string(12 - id.size(), '0') + id;
    const std::string clsid2 = "7c2b1d4f-0000-4000-8000-" + std::string(12 - id.size(), '0') + id;
};

TEST_F(KestrovaWindows11Menu, ListsTheManifestsVerbsAndHidesAndShowsThemThroughTheBlockedValues)
{
    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";
    HWND list = MenuList(window);
    ASSERT_NE(list, nullptr) << "no Windows 11 menu list";
    const std::string c1 = "{" + clsid1 + "}";
    const std::string c2 = "{" + clsid2 + "}";
    // The malformed manifest and the one with a DTD cost their own rows only; an
    // unresolved resource name is shown as written; a CLSID blocked for the user shows clear.
    std::vector<std::pair<int, EntryRow>> rows = OurRows(list, program.Id());
    std::vector<EntryRow> texts;
    for (const auto& [index, row] : rows)
        texts.push_back(row);
    std::sort(texts.begin(), texts.end(), [](const EntryRow& a, const EntryRow& b) { return a.subItems < b.subItems; });
    EXPECT_EQ(texts, (std::vector<EntryRow>{
                         {"Kestrova Test A " + id, {"HereA", "Directory\\Background", c1, pkgA}, true},
                         {"Kestrova Test A " + id, {"OpenA", "*", c1, pkgA}, true},
                         {"ms-resource:AppName", {"ZipB", ".zip", c2, pkgB}, false},
                     }));
    ASSERT_EQ(rows.size(), 3u);

    int openA = -1, zipB = -1;
    for (const auto& [index, row] : rows) {
        if (row.subItems[0] == "OpenA")
            openA = index;
        if (row.subItems[0] == "ZipB")
            zipB = index;
    }
    // Hiding one verb hides every row of its CLSID, and says so in the list.
    PressSpaceOn(list, openA);
    EXPECT_EQ(seed.Value(HKLM, View64, Blocked, c1), MakeStringValue("Kestrova Test A " + id));
    for (const auto& [index, row] : OurRows(list, program.Id()))
        if (row.subItems[2] == c1)
            EXPECT_FALSE(row.checked) << row.subItems[0];
    PressSpaceOn(list, openA);
    EXPECT_EQ(seed.Value(HKLM, View64, Blocked, c1), std::nullopt);
    // Showing removes the value from the user's root as well.
    PressSpaceOn(list, zipB);
    EXPECT_EQ(seed.Value(HKCU, View64, Blocked, c2), std::nullopt);
    EXPECT_EQ(seed.Value(HKLM, View64, Blocked, c2), std::nullopt);
    for (const auto& [index, row] : OurRows(list, program.Id()))
        EXPECT_TRUE(row.checked) << row.subItems[0];

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The check box and the label of the classic menu, and the restart button, found among
// the window's descendants by their kind.
struct TabControls {
    HWND checkBox = nullptr;
    HWND button = nullptr;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM found)
{
    auto& controls = *reinterpret_cast<TabControls*>(found);
    if (WindowClass(child) != L"Button")
        return TRUE;
    const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX)
        controls.checkBox = child;
    else if (type == BS_PUSHBUTTON && WindowText(child).find(L"\u041f\u0440\u043e\u0432\u043e\u0434\u043d\u0438\u043a") != std::wstring::npos)
        controls.button = child;  // "...Проводник"
    return TRUE;
}

TabControls ControlsOf(HWND window)
{
    TabControls controls;
    EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// The build the registry reports, changed for as long as the object lives, in both views.
class ScopedReportedBuild {
public:
    ScopedReportedBuild(RegistrySeed& seed, const std::string& build) : seed_(seed)
    {
        for (std::uint32_t view : {access::Wow64_64Key, access::Wow64_32Key})
            for (const char* name : {"CurrentBuild", "CurrentBuildNumber"}) {
                saved_.push_back({view, name, seed_.Value(HKLM, view, VersionKey, name)});
                seed_.SetString(HKLM, view, VersionKey, name, build);
            }
    }
    ~ScopedReportedBuild()
    {
        for (const auto& [view, name, value] : saved_)
            if (value)
                seed_.SetValue(HKLM, view, VersionKey, name, *value);
    }

private:
    struct Saved {
        std::uint32_t view;
        std::string name;
        std::optional<RegValue> value;
    };
    RegistrySeed& seed_;
    std::vector<Saved> saved_;
};

// The copies of the classic-menu deletions: "... windows11-menu ..." files in the Backup
// folder beside the options file, below the user's application data.
std::vector<std::wstring> ClassicMenuCopies()
{
    std::vector<std::wstring> copies;
    wchar_t appData[MAX_PATH];
    if (!GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH))
        return copies;
    WIN32_FIND_DATAW company;
    HANDLE companies = FindFirstFileW((std::wstring(appData) + L"\\*").c_str(), &company);
    if (companies == INVALID_HANDLE_VALUE)
        return copies;
    do {
        const std::wstring backup =
            std::wstring(appData) + L"\\" + company.cFileName + L"\\Kestrova\\Config\\Backup\\";
        WIN32_FIND_DATAW copy;
        HANDLE found = FindFirstFileW((backup + L"*windows11-menu*").c_str(), &copy);
        if (found == INVALID_HANDLE_VALUE)
            continue;
        do
            copies.push_back(backup + copy.cFileName);
        while (FindNextFileW(found, &copy));
        FindClose(found);
    } while (FindNextFileW(companies, &company));
    FindClose(companies);
    return copies;
}

TEST_F(KestrovaWindows11Menu, OnWindows11TheClassicMenuKeyIsSetAndRemovedWithItsCopy)
{
    seed.DeleteTree(HKCU, View64, ClassicKey);
    ScopedReportedBuild windows11(seed, "22631");
    const std::size_t copiesBefore = ClassicMenuCopies().size();
    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";
    const TabControls controls = ControlsOf(window);
    ASSERT_NE(controls.checkBox, nullptr);
    EXPECT_TRUE(IsWindowEnabled(controls.checkBox));
    EXPECT_EQ(SendMessageW(controls.checkBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageW(controls.checkBox, BM_CLICK, 0, 0);
    EXPECT_EQ(seed.Value(HKCU, View64, ClassicKey + "\\InprocServer32", ""), MakeStringValue(""));
    EXPECT_EQ(SendMessageW(controls.checkBox, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageW(controls.checkBox, BM_CLICK, 0, 0);
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, ClassicKey));
    EXPECT_EQ(SendMessageW(controls.checkBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    const std::vector<std::wstring> copies = ClassicMenuCopies();
    ASSERT_EQ(copies.size(), copiesBefore + 1);
    std::ifstream copy(copies.back().c_str(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
    // A registry file of UTF-16 text naming the key.
    EXPECT_NE(text.find(std::string("8\0006\000c\000a\0001\000a\000a\0000\000", 16)), std::string::npos);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(KestrovaWindows11Menu, OnWindows10TheClassicMenuBoxIsDisabledAndAFailedRestartSaysWhenTheChangeShows)
{
    ScopedReportedBuild windows10(seed, "19045");
    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";
    const TabControls controls = ControlsOf(window);
    ASSERT_NE(controls.checkBox, nullptr);
    ASSERT_NE(controls.button, nullptr);
    EXPECT_FALSE(IsWindowEnabled(controls.checkBox));
    bool noteShown = false;
    for (HWND label : ChildrenOfClass(GetParent(controls.checkBox), L"Static"))
        noteShown = noteShown || ((GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE) &&
                                  WindowText(label).find(L"Windows 10") != std::wstring::npos);
    EXPECT_TRUE(noteShown) << "no visible note says why the box is disabled";

    // Wine's Restart Manager restarts nothing: the program says the change shows after
    // the next sign-in.
    PostMessageW(controls.button, BM_CLICK, 0, 0);
    HWND message = program.WaitForWindowOfClass(L"#32770");
    ASSERT_NE(message, nullptr) << "no message after the failed restart";
    std::wstring text;
    for (HWND label : ChildrenOfClass(message, L"Static"))
        text += WindowText(label);
    EXPECT_NE(text.find(L"\u0432\u0445\u043e\u0434\u0430"), std::wstring::npos) << Narrow(text);  // "входа"
    PostMessageW(message, WM_CLOSE, 0, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
