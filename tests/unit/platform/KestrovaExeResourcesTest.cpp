// The resources of the built Kestrova.exe as Windows reads them: the version strings
// (through version.dll, as the caption, the update check and the options path will),
// the manifest and the icon.
#include "platform/FileInfoUtils.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32VersionInfo.h"

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <set>

namespace kestrova {
namespace {

// The build runs on Linux, whose root Wine shows as drive Z:.
std::string KestrovaExe()
{
    const std::string path = KESTROVA_EXE_PATH;
    return path.starts_with('/') ? "Z:" + path : path;
}

TEST(KestrovaExe, CarriesItsVersionCompanyAndCopyright)
{
    const Win32VersionInfo api;
    EXPECT_EQ(GetFileVersion(api, KestrovaExe()), KESTROVA_VERSION);
    EXPECT_EQ(GetCompanyName(api, KestrovaExe()), "Kestrova");
    EXPECT_EQ(GetLegalCopyright(api, KestrovaExe()), "\xC2\xA9 2026 Kestrova");
    EXPECT_EQ(GetVersionInfoString(api, KestrovaExe(), "ProductName"), "Kestrova");
}

TEST(KestrovaExe, ManifestIsEmbeddedWhereWindowsLooksAndParses)
{
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    const std::wstring exe = Widen(KestrovaExe());
    request.lpSource = exe.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    ReleaseActCtx(context);
}

TEST(KestrovaExe, MainIconComesInFourSizes)
{
    const HMODULE exe = LoadLibraryExW(Widen(KestrovaExe()).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    const HRSRC group = FindResourceW(exe, L"MAINICON", RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    // The group directory: reserved, type, count, then 14-byte entries starting with width
    // and height (0 standing for 256).
    const auto* directory = static_cast<const std::uint8_t*>(LockResource(LoadResource(exe, group)));
    ASSERT_NE(directory, nullptr);
    std::uint16_t count;
    std::memcpy(&count, directory + 4, sizeof count);
    ASSERT_LE(6u + 14u * count, SizeofResource(exe, group));
    std::set<int> sizes;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = directory + 6 + 14 * i;
        EXPECT_EQ(entry[0], entry[1]) << "square";
        sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
    const HICON small = static_cast<HICON>(LoadImageW(exe, L"MAINICON", IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(small, nullptr);
    if (small)
        DestroyIcon(small);
    FreeLibrary(exe);
}

TEST(Win32VersionInfo, FilesWithoutVersionResourceGiveEmptyStrings)
{
    PlatformFileSystem fs;
    ScratchFolder dir(fs);
    ASSERT_TRUE(fs.WriteEmptyFile(dir / "Empty.exe"));
    const Win32VersionInfo api;
    for (const std::string& file : {dir / "Empty.exe", dir / "Missing.exe"}) {
        EXPECT_EQ(GetFileVersion(api, file), "") << file;
        EXPECT_EQ(GetCompanyName(api, file), "") << file;
        EXPECT_EQ(GetLegalCopyright(api, file), "") << file;
    }
}

}  // namespace
}  // namespace kestrova
