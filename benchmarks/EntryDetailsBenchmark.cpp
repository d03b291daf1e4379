// Measures what the detail columns ("Shown as", "Program", "Company", "Shows") add to a
// rebuild of the context-menu list: 200 verbs and handlers at the scanned locations, each
// naming a program file that exists (distinct files, with version information), listed
// without and with the details, best of 7 taking turns; prints both times and their ratio.
// The registry is an in-memory one; on Windows the files are real ones of the system
// folder, read through version.dll, elsewhere version resources held in memory.
//
// With --real-registry (Windows and Wine), the entries are written to the real registry
// under names beginning with "KestrovaDetailsBenchmark", listed with whatever else is
// there, and removed again, also when an earlier run left them behind.
//
// Usage: kestrova_entry_details_benchmark [--real-registry] [entries]   (default: 200)
#include "FakeEntryProbe.h"
#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "VectorRowSink.h"
#include "VersionResourceBuilder.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/EntryDetails.h"
#include "platform/BlobVersionInfo.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#ifdef _WIN32
#include "platform/win32/Win32EntryProbe.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32VersionInfo.h"
#include "platform/win32/WideString.h"

#include <windows.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr std::uint32_t View64 = access::Wow64_64Key;
const std::string kClasses = "SOFTWARE\\Classes\\";
const std::string kPrefix = "KestrovaDetailsBenchmark";
const char* const kLocations[] = {"*\\shell", "Directory\\shell", "Folder\\shell", "Drive\\shell", "exefile\\shell"};

std::string Guid(unsigned n)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-%012X}", n * 2654435761u, n);
    return text;
}

// `count` distinct program files that exist.
std::vector<std::string> ProgramFiles(std::size_t count, FakeEntryProbe& fake, BlobVersionInfo& blobs)
{
    std::vector<std::string> files;
#ifdef _WIN32
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    const std::string system = Narrow(folder);
    for (const char* pattern : {"\\*.exe", "\\*.dll"}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Widen(system + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(system + "\\" + Narrow(found.cFileName));
        } while (files.size() < count && FindNextFileW(search, &found));
        FindClose(search);
        if (files.size() >= count)
            break;
    }
#endif
    for (std::size_t i = files.size(); i < count; ++i) {
        const std::string path = "C:\\Program Files\\Vendor" + std::to_string(i) + "\\tool.exe";
        fake.AddFile(path);
        blobs.SetResource(path, VersionResourceBuilder()
                                    .Translation(0x0409, 0x04B0)
                                    .String("040904B0", "CompanyName", "Vendor " + std::to_string(i))
                                    .String("040904B0", "FileDescription", "Tool " + std::to_string(i))
                                    .Build());
        files.push_back(path);
    }
    return files;
}

// Verbs with a caption, an icon and a command; every fifth entry a handler whose CLSID
// names its DLL in both views.
void Seed(RegistrySeed& seed, const std::vector<std::string>& files)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i % 5 == 4) {
            // Handlers at the locations that have them: all files, folders and Folder.
            const std::string location = kClasses + kLocations[(i / 5) % 3];
            (void)location;
            const std::string clsid = Guid(static_cast<unsigned>(i));
            std::string handlers = location;
            handlers.replace(handlers.rfind("\\shell"), 6, "\\shellex\\ContextMenuHandlers");
            seed.SetString(HKLM, View32, handlers + "\\" + kPrefix + "Handler" + std::to_string(i), "", clsid);
            for (std::uint32_t view : {View32, View64}) {
                seed.SetString(HKLM, view, kClasses + "CLSID\\" + clsid, "", "Handler " + std::to_string(i));
                seed.SetString(HKLM, view, kClasses + "CLSID\\" + clsid + "\\InprocServer32", "", files[i]);
            }
            continue;
        }
        const std::string location = kClasses + kLocations[i % std::size(kLocations)];
        const std::string verb = location + "\\" + kPrefix + "Verb" + std::to_string(i);
        seed.SetString(HKLM, View32, verb, "MUIVerb", "&Open with tool " + std::to_string(i));
        seed.SetString(HKLM, View32, verb, "Icon", files[i] + ",0");
        if (i % 3 == 0)
            seed.SetString(HKLM, View32, verb, "Extended", "");
        seed.SetString(HKLM, View32, verb + "\\command", "", "\"" + files[i] + "\" \"%1\"");
    }
}

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Removes what Seed wrote (and what an earlier run left) from every location and the CLSIDs.
void Unseed(RegistrySeed& seed, std::size_t count)
{
    for (const char* location : kLocations) {
        std::string handlers = kClasses + location;
        handlers.replace(handlers.rfind("\\shell"), 6, "\\shellex\\ContextMenuHandlers");
        for (std::size_t i = 0; i < count; ++i) {
            seed.DeleteTree(HKLM, View32, kClasses + location + "\\" + kPrefix + "Verb" + std::to_string(i));
            seed.DeleteTree(HKLM, View32, handlers + "\\" + kPrefix + "Handler" + std::to_string(i));
        }
    }
    for (std::size_t i = 4; i < count; i += 5)
        for (std::uint32_t view : {View32, View64})
            seed.DeleteTree(HKLM, view, kClasses + "CLSID\\" + Guid(static_cast<unsigned>(i)));
}

int Run(std::size_t count, bool realRegistry)
{
    MemoryRegistry memory;
#ifdef _WIN32
    Win32Registry windowsRegistry;
    RegistryBackend& hive = realRegistry ? static_cast<RegistryBackend&>(windowsRegistry) : memory;
#else
    if (realRegistry) {
        std::fprintf(stderr, "--real-registry needs Windows or Wine\n");
        return 2;
    }
    RegistryBackend& hive = memory;
#endif
    RegistrySeed seed(hive);
    if (realRegistry)
        Unseed(seed, count);
    FakeEntryProbe fake;
    BlobVersionInfo blobs;
    const std::vector<std::string> files = ProgramFiles(count, fake, blobs);
    Seed(seed, files);

#ifdef _WIN32
    Win32EntryProbe windowsProbe;
    Win32VersionInfo windowsVersions;
    const bool realFiles = files.empty() || files.front().rfind("C:\\Program Files\\Vendor", 0) != 0;
    EntryProbe& probe = realFiles ? static_cast<EntryProbe&>(windowsProbe) : fake;
    const VersionInfoApi& versions = realFiles ? static_cast<const VersionInfoApi&>(windowsVersions) : blobs;
#else
    const bool realFiles = false;
    EntryProbe& probe = fake;
    const VersionInfoApi& versions = blobs;
#endif

    PlatformFileSystem files_;
    RecordingShell shell;
    ContextMenuCatalogue plain(hive, files_, shell);
    ContextMenuCatalogue detailed(hive, files_, shell);
    EntryDetails details(hive, probe, versions);
    detailed.SetDetails(&details);

    std::size_t rows = 0;
    std::size_t missing = 0;
    double best[2] = {1e9, 1e9};
    for (int round = 0; round < 7; ++round) {
        for (int which = 0; which < 2; ++which) {
            VectorRowSink sink;
            ContextMenuCatalogue& catalogue = which == 0 ? plain : detailed;
            best[which] = std::min(best[which], Seconds([&] { catalogue.LoadRows(sink); }));
            rows = sink.rows.size();
            if (which == 1)
                missing = sink.dimmed.size();
        }
    }
    if (realRegistry)
        Unseed(seed, count);
    std::printf("context-menu rebuild, %zu rows, %s registry, %s files (%zu read as missing), %zu version reads per "
                "rebuild\n",
                rows, realRegistry ? "real" : "in-memory", realFiles ? "real" : "in-memory", missing,
                details.VersionReads());
    std::printf("without details: %.6f s\nwith details:    %.6f s\nratio: %.3f (goal <= 1.5)\n", best[0], best[1],
                best[1] / best[0]);
    return 0;
}

}  // namespace
}  // namespace kestrova

int main(int argc, char** argv)
{
    bool realRegistry = false;
    std::size_t count = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--real-registry")
            realRegistry = true;
        else
            count = static_cast<std::size_t>(std::strtoul(argv[i], nullptr, 10));
    }
    return kestrova::Run(count, realRegistry);
}
