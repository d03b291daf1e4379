// The Windows 11 menu list of a started Kestrova.exe, read from outside the process: rows
// from packages whose manifests lie in a scratch folder (one malformed, one with a DTD),
// a verb hidden and shown through the Blocked values in the 64-bit view, and the
// classic-menu key set and removed with its copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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

    static void PressSpaceOn(HWND list, int row)
    {
        SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
        for (int down = 0; down < row; ++down)
            SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
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

}  // namespace
}  // namespace kestrova
