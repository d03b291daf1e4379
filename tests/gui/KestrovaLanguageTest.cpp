// Kestrova.exe with a language chosen in its options file: the file's texts at start-up,
// the start-up cleaning of the file, and the missing-key log beside the program's folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "Utf16File.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

struct DescendantSearch {
    const wchar_t* windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND child, LPARAM data)
{
    auto& search = *reinterpret_cast<DescendantSearch*>(data);
    if (_wcsicmp(WindowClass(child).c_str(), search.windowClass) == 0)
        search.found.push_back(child);
    return TRUE;
}

// The windows of a class below `parent`, at any depth, in creation order.
std::vector<HWND> Descendants(HWND parent, const wchar_t* windowClass)
{
    DescendantSearch search{windowClass, {}};
    EnumChildWindows(parent, CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> Texts(const std::vector<HWND>& windows)
{
    std::vector<std::wstring> texts;
    for (HWND window : windows)
        texts.push_back(WindowText(window));
    return texts;
}

// Memory in the program's process, for the list-view messages that fill a caller's buffer.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
          memory_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr)
    {
    }
    ~RemoteMemory()
    {
        if (memory_)
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* Address() const { return static_cast<char*>(memory_); }
    void Write(std::size_t offset, const void* data, std::size_t size) const
    {
        WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    void Read(std::size_t offset, void* data, std::size_t size) const
    {
        ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* memory_;
};

// The column captions of a list view of another process.
std::vector<std::wstring> ColumnCaptions(DWORD processId, HWND list)
{
    constexpr std::size_t kTextOffset = 256;
    constexpr int kTextLength = 128;
    RemoteMemory remote(processId, kTextOffset + kTextLength * sizeof(wchar_t));
    std::vector<std::wstring> captions;
    const auto count = SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = reinterpret_cast<wchar_t*>(remote.Address() + kTextOffset);
        column.cchTextMax = kTextLength;
        remote.Write(0, &column, sizeof column);
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.Address()));
        wchar_t text[kTextLength] = {};
        remote.Read(kTextOffset, text, sizeof text - sizeof(wchar_t));
        captions.emplace_back(text);
    }
    return captions;
}

// A copy of the program to which Wine reports Windows 7.
const std::string kWindows7Exe = "KestrovaLanguageWin7.exe";

class KestrovaLanguage : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.MakeDirectory(scratch / "bin");
        files.MakeDirectory(scratch / "bin\\Language");
        files.MakeDirectory(scratch / "bin\\Config");
        ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), Widen(Exe()).c_str(), TRUE));
        ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), Widen(scratch / ("bin\\" + kWindows7Exe)).c_str(), TRUE));
        files.WriteEmptyFile(scratch / "bin\\portable.ini");  // options beside the program
        files.WriteWholeFile(scratch / "bin\\Config\\Option.ini", "[Language]\r\nLanguage=TESTLANG\r\n");
    }

    std::string Exe() const { return scratch / "bin\\Kestrova.exe"; }
    std::string LanguageFile() const { return scratch / "bin\\Language\\TestLang.ini"; }
    std::string LogFile() const { return scratch / "Kestrova.log"; }
    std::string Read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(files.ReadWholeFile(path, bytes)) << path;
        return bytes;
    }

    // Starts the program, runs `check` on its main window and closes it.
    template <typename Check>
    void WithProgram(Check check)
    {
        KestrovaProcess program(Widen(Exe()));
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr) << "no window appeared";
        check(program, window);
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }

    PlatformFileSystem files;
    ScratchFolder scratch{files};
};

TEST_F(KestrovaLanguage, ChosenFileAppliesAtStartUpAndIsCleanedByTheRules)
{
    files.WriteWholeFile(LanguageFile(), Utf16LittleEndianFile(u"; translated by hand\r\n"
                                                           u"[Language information]\r\n"
                                                           u"LANGNAME=Test\r\n"
                                                           u"[DestDir]\r\n"
                                                           u"[Kestrova]\r\n"
                                                           u"form1.GROUPBOXMENULIST.caption=Entries\r\n"
                                                           u"Form1.GroupBoxNewMenu.Caption=First\r\n"
                                                           u"Form1.GroupBoxNewMenu.Caption=Last\r\n"
                                                           u"Form1.ListViewSendTo.Columns[0].Caption=Name\r\n"
                                                           u"Form1.NoSuchComponent.Caption=gone\r\n"
                                                           u"Form1.Caption=stays\r\n"
                                                           u"Form2.Anything.Caption=gone\r\n"
                                                           u"Form10.Caption=Update\r\n"
                                                           u"Form8.LabelCopyright.Caption=kept\r\n"
                                                           u"Form8.NoSuchComponent.Caption=gone\r\n"
                                                           u"Hello=World\r\n"
                                                           u"[Other]\r\n"
                                                           u"Stray=1\r\n"));
    WithProgram([&](const KestrovaProcess& program, HWND window) {
        std::vector<std::wstring> groups = Texts(Descendants(window, L"Button"));
        std::sort(groups.begin(), groups.end());
        // Group boxes, and the Windows 11 menu's check box and button, which the file leaves as they are.
        EXPECT_EQ(groups, (std::vector<std::wstring>{L"Entries", L"Last", L"Классическое контекстное меню",
                                                     L"Перезапустить Проводник", L"Список элементов",
                                                     L"Список элементов", L"Список элементов"}));
        std::vector<std::vector<std::wstring>> columns;
        for (HWND list : Descendants(window, WC_LISTVIEWW))
            columns.push_back(ColumnCaptions(program.Id(), list));
        std::sort(columns.begin(), columns.end());
        EXPECT_EQ(columns, (std::vector<std::vector<std::wstring>>{
                               {L"Name", L"Путь"},
                               {L"Название", L"Команда", L"Тип элемента", L"CLSID", L"Пакет"},
                               {L"Название", L"Место", L"Раздел", L"Путь реестра", L"В меню", L"Программа", L"Компания",
                                L"Показ"},
                               {L"Название", L"Тип", L"Раздел", L"Путь реестра", L"В меню", L"Программа", L"Компания",
                                L"Показ"},
                               {L"Название", L"Тип", L"Раздел", L"Путь реестра", L"В меню", L"Программа", L"Компания",
                                L"Показ"}}));
    });

    EXPECT_EQ(Read(LanguageFile()), Utf16LittleEndianFile(u"[Language information]\r\n"
                                                       u"LANGNAME=Test\r\n\r\n"
                                                       u"[DestDir]\r\n\r\n"
                                                       u"[Kestrova]\r\n"
                                                       u"form1.GROUPBOXMENULIST.caption=Entries\r\n"
                                                       u"Form1.GroupBoxNewMenu.Caption=Last\r\n"
                                                       u"Form1.ListViewSendTo.Columns[0].Caption=Name\r\n"
                                                       u"Form1.Caption=stays\r\n"
                                                       u"Form10.Caption=Update\r\n"
                                                       u"Form8.LabelCopyright.Caption=kept\r\n\r\n"));
}

TEST_F(KestrovaLanguage, AnExistingLogCollectsTheMissingKeysWithTheirTexts)
{
    files.WriteWholeFile(LanguageFile(), "[Kestrova]\r\nForm1.ThemeMenu.Caption=Theme\r\n");
    files.WriteEmptyFile(LogFile());
    WithProgram([](const KestrovaProcess&, HWND) {});

    const std::string log = Read(LogFile());
    ASSERT_TRUE(log.starts_with("\xFF\xFE")) << "UTF-16 little-endian with a byte-order mark";
    std::u16string text;
    for (std::size_t i = 2; i + 1 < log.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(log[i]) | static_cast<unsigned char>(log[i + 1]) << 8);
    EXPECT_NE(text.find(u"Form1.ListViewSendTo.Columns[1].Caption=Путь\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"Form1.LangError.Caption=Ошибка\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"Form10.LangConnectionError.Caption=Ошибка соединения\r\n"), std::u16string::npos)
        << "the update window's texts are looked up too";
    EXPECT_EQ(text.find(u"Form1.ThemeMenu.Caption"), std::u16string::npos) << "a translated key is not missing";
    EXPECT_EQ(text.find(u"Form1.N1.Caption"), std::u16string::npos) << "separators are never looked up";
}

TEST_F(KestrovaLanguage, TheWindowsVersionMessageComesInTheChosenLanguage)
{
    files.WriteWholeFile(LanguageFile(), "[Kestrova]\r\nForm1.LangError.Caption=Error\r\n"
                                         "Form1.LangOnlyWindows.Caption=Windows 10 and 11 only.\r\n");
    ScopedWineVersion windows7(Widen(kWindows7Exe), L"win7");
    KestrovaProcess program(Widen(scratch / ("bin\\" + kWindows7Exe)));
    HWND dialog = program.WaitForWindow();
    ASSERT_NE(dialog, nullptr) << "no window appeared";
    ASSERT_EQ(WindowClass(dialog), L"#32770") << "a message box, not the main window";
    EXPECT_EQ(WindowText(dialog), L"Error");
    const std::vector<std::wstring> labels = Texts(ChildrenOfClass(dialog, L"Static"));
    EXPECT_NE(std::find(labels.begin(), labels.end(), L"Windows 10 and 11 only."), labels.end());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
