// Measures the New-menu scan against the least two-view walk: opening, enumerating and
// closing each key it must enter, in both views, and nothing else. Generates classes
// trees shaped like those of well-used machines in a scratch key below the classes key,
// scans them over a call-counting in-memory registry whose views share the classes and
// over one that keeps them apart, and (on Windows or Wine) over the real registry, as
// its views are; prints per tree: keys entered per view, registry calls per entered key,
// the scan's calls and wall time each divided by those of the bare two-view walk in this
// process. Where the views share the classes the scan walks them once, so its floor is
// half the walk. The scratch key is removed again, also when an earlier run left one
// behind.
//
// Usage: kestrova_new_menu_benchmark [extensions ...]   (default: 5000 15000)
#include "FaultInjectingRegistry.h"
#include "NewMenuReferenceScan.h"
#include "RegistrySeed.h"
#include "catalogue/NewMenuNames.h"
#include "catalogue/NewMenuScan.h"
#include "platform/AsciiText.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegKey.h"
#include "platform/RegValueData.h"

#ifdef _WIN32
#include "platform/win32/Win32Registry.h"
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kestrova {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t kViews[] = {access::Wow64_32Key, access::Wow64_64Key};
const std::string kScratch = "SOFTWARE\\Classes\\KestrovaNewMenuBenchmark";

// A row sink that keeps only what the bare walk needs: where the descent stops.
class ClassKeySink : public RowSink {
public:
    std::set<std::string> classKeys;  // upper-cased (ASCII)
    std::size_t count = 0;

    void Add(const EntryRow& row) override
    {
        classKeys.insert(AsciiUpper(row.subItems.at(3)));
        ++count;
    }
    std::size_t Count() const override { return count; }
    EntryRow Row(std::size_t) const override { return {}; }
    void SetChecked(std::size_t, bool) override {}
};

std::string Guid(unsigned n)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-%012X}", n * 2654435761u, n);
    return text;
}

// One extension with its ProgID, as installers leave them: OpenWithProgids everywhere,
// OpenWithList, a shell extension and a persistent handler on some; the ProgID with an
// icon, an open command, and on some a CurVer or Insertable. Templates on a few, in the
// places they are found on real machines.
void AddExtension(KeyTree& classes, unsigned i)
{
    const std::string progId = "Kestrova.Type" + std::to_string(i);
    const std::string ext = ".k" + std::to_string(i);
    KeyTree extension;
    extension.Value("", MakeStringValue(progId));
    if (i % 3 == 0)
        extension.Value("Content Type", MakeStringValue("application/x-k" + std::to_string(i)));
    if (i % 4 == 0)
        extension.Value("PerceivedType", MakeStringValue("document"));
    extension.Subkey("OpenWithProgids", KeyTree{}.Value(progId, RegValue{0, {}}));
    if (i % 3 == 1) {
        KeyTree openWithList;
        openWithList.Subkey("app" + std::to_string(i % 50) + ".exe", KeyTree{});
        if (i % 2)
            openWithList.Subkey("viewer" + std::to_string(i % 7) + ".exe", KeyTree{});
        extension.Subkey("OpenWithList", openWithList);
    }
    if (i % 5 == 0)
        extension.Subkey("ShellEx", KeyTree{}.Subkey("{8895b1c6-b41f-4c1c-a562-0d564250836f}",
                                                     KeyTree{}.Value("", MakeStringValue(Guid(i)))));
    if (i % 5 == 2)
        extension.Subkey("PersistentHandler", KeyTree{}.Value("", MakeStringValue(Guid(i + 7))));

    KeyTree progIdKey;
    progIdKey.Value("", MakeStringValue("Kestrova document type " + std::to_string(i)));
    progIdKey.Value("FriendlyTypeName", MakeStringValue("@%SystemRoot%\\system32\\k.dll,-" + std::to_string(i)));
    progIdKey.Subkey("DefaultIcon", KeyTree{}.Value("", MakeStringValue("%SystemRoot%\\k.dll," + std::to_string(i % 90))));
    progIdKey.Subkey("shell", KeyTree{}.Subkey(
                                  "open", KeyTree{}.Subkey("command", KeyTree{}.Value("", MakeStringValue("k.exe \"%1\"")))));
    if (i % 10 == 3)
        progIdKey.Subkey("CurVer", KeyTree{}.Value("", MakeStringValue(progId + ".1")));
    if (i % 20 == 4)
        progIdKey.Subkey("Insertable", KeyTree{});

    const KeyTree shellNew = KeyTree{}.Value("NullFile", MakeStringValue("")).Value(
        "ItemName", MakeStringValue("@%SystemRoot%\\k.dll,-" + std::to_string(i)));
    if (i % 300 == 11)
        extension.Subkey("ShellNew", shellNew);
    else if (i % 300 == 111)
        extension.Subkey(progId, KeyTree{}.Subkey("ShellNew", shellNew));  // like .docx\Word.Document.12
    else if (i % 300 == 211)
        extension.Subkey("old_ShellNew", shellNew);
    else if (i % 300 == 17)
        extension.Subkey("ShellNew", KeyTree{}.Value("ItemName", MakeStringValue("no template")));

    classes.Subkey(ext, extension);
    classes.Subkey(progId, progIdKey);
}

// Opens, enumerates and closes every key the scan must enter; nothing else. Counts the
// keys entered.
class BareWalk {
public:
    BareWalk(RegistryBackend& registry, const std::set<std::string>& stopAt) : registry_(registry), stopAt_(stopAt) {}

    std::size_t Walk(std::uint32_t view)
    {
        view_ = view;
        entered_ = 0;
        RegHandle root{};
        if (registry_.OpenKey(RootHandle(HKLM), kScratch, access::Read | view_, root) != regerr::Success)
            return 0;
        RegKey owner(registry_, root);
        for (const std::string& name : Names(root))
            if (!IsSkippedClassName(name))
                Enter(root, name, kScratch + "\\" + name);
        return entered_;
    }

private:
    std::vector<std::string> Names(RegHandle key)
    {
        std::vector<std::string> names;
        std::string name;
        for (std::uint32_t index = 0; registry_.EnumKey(key, index, name) == regerr::Success; ++index)
            names.push_back(name);
        return names;
    }

    void Enter(RegHandle parent, const std::string& name, const std::string& path)
    {
        RegHandle handle{};
        if (registry_.OpenKey(parent, name, access::Read | view_, handle) != regerr::Success)
            return;
        RegKey key(registry_, handle);
        ++entered_;
        const std::vector<std::string> names = Names(handle);
        // Only a key with a template key can be one the scan stops at.
        const bool holdsTemplate = std::any_of(names.begin(), names.end(), [](const std::string& subkey) {
            return EqualsIgnoringAsciiCase(subkey, kShellNew) || EqualsIgnoringAsciiCase(subkey, kOldShellNew);
        });
        if (holdsTemplate && stopAt_.count(AsciiUpper(path)))
            return;
        for (const std::string& subkey : names)
            if (!IsNeverEnteredSubkeyName(subkey))
                Enter(handle, subkey, path + "\\" + subkey);
    }

    RegistryBackend& registry_;
    const std::set<std::string>& stopAt_;
    std::uint32_t view_ = 0;
    std::size_t entered_ = 0;
};

double Milliseconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const std::string& backendName, RegistryBackend& registry, bool sharesClasses, int repeats,
             bool withReference)
{
    // Calls, counted on the way through.
    FaultInjectingRegistry counting(registry);
    ClassKeySink rows;
    ScanNewMenu(counting, rows, kScratch);
    const std::size_t scanCalls = counting.Calls();

    FaultInjectingRegistry walkCounting(registry);
    BareWalk countedWalk(walkCounting, rows.classKeys);
    std::size_t entered[2] = {countedWalk.Walk(kViews[0]), countedWalk.Walk(kViews[1])};
    const std::size_t walkCalls = walkCounting.Calls();
    const std::size_t allEntered = entered[0] + entered[1];

    // Wall time: the best of several runs of each, straight on the backend, taking turns
    // at going first, so that a busy moment of the machine costs neither more than the other.
    double scanTime = 1e300, walkTime = 1e300;
    BareWalk walk(registry, rows.classKeys);
    const auto timeScan = [&] {
        scanTime = std::min(scanTime, Milliseconds([&] {
                                ClassKeySink sink;
                                ScanNewMenu(registry, sink, kScratch);
                            }));
    };
    const auto timeWalk = [&] {
        walkTime = std::min(walkTime, Milliseconds([&] {
                                for (std::uint32_t view : kViews)
                                    walk.Walk(view);
                            }));
    };
    for (int run = 0; run < repeats; ++run) {
        if (run % 2) {
            timeScan();
            timeWalk();
        } else {
            timeWalk();
            timeScan();
        }
    }

    std::printf("  %s registry, classes %s: %zu rows\n", backendName.c_str(), sharesClasses ? "shared" : "apart",
                rows.count);
    std::printf("    keys entered per view: 32-bit %zu, 64-bit %zu\n", entered[0], entered[1]);
    std::printf("    registry calls per entered key: scan %.3f, bare walk %.3f\n", double(scanCalls) / allEntered,
                double(walkCalls) / allEntered);
    if (withReference) {
        FaultInjectingRegistry referenceCounting(registry);
        ClassKeySink referenceRows;
        ReferenceNewMenuScan(referenceCounting, referenceRows, kScratch);
        std::printf("    (a word-for-word reading: %.3f calls per entered key, %zu rows)\n",
                    double(referenceCounting.Calls()) / allEntered, referenceRows.count);
    }
    std::printf("    calls ratio scan / bare walk: %.4f   (goal <= %s)\n", double(scanCalls) / walkCalls,
                sharesClasses ? "0.55" : "1.05");
    std::printf("    time: scan %.1f ms, bare walk %.1f ms, ratio %.4f   (goal <= %s; best of %d)\n", scanTime,
                walkTime, scanTime / walkTime, sharesClasses ? "0.6" : "1.2", repeats);
    std::fflush(stdout);
}

// Returns whether the views share the classes.
bool Seed(RegistryBackend& registry, const KeyTree& classes)
{
    RegistrySeed seed(registry);
    for (std::uint32_t view : kViews)
        seed.DeleteTree(HKLM, view, kScratch);
    seed.WriteTree(HKLM, kViews[0], kScratch, classes);
    // Where the views keep the classes apart, the 64-bit view gets its own copy.
    if (seed.KeyExists(HKLM, kViews[1], kScratch))
        return true;
    seed.WriteTree(HKLM, kViews[1], kScratch, classes);
    return false;
}

#ifdef _WIN32
void Remove(RegistryBackend& registry)
{
    RegistrySeed seed(registry);
    for (std::uint32_t view : kViews)
        seed.DeleteTree(HKLM, view, kScratch);
}
#endif

}  // namespace
}  // namespace kestrova

int main(int argc, char** argv)
{
    using namespace kestrova;
    std::vector<unsigned> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 10)));
    if (sizes.empty())
        sizes = {5000, 15000};

    for (unsigned extensions : sizes) {
        KeyTree classes;
        for (unsigned i = 0; i < extensions; ++i)
            AddExtension(classes, i);
        std::printf("Tree of %u extensions, each with its ProgID:\n", extensions);

        for (ClassesViews views : {ClassesViews::Shared, ClassesViews::Apart}) {
            MemoryRegistry memory(views);
            const bool shared = Seed(memory, classes);
            Measure("in-memory (counting)", memory, shared, 7, true);
        }

#ifdef _WIN32
        Win32Registry real;
        bool shared = false;
        const double seeding = Milliseconds([&] { shared = Seed(real, classes); });
        std::printf("  (real registry seeded in %.0f ms)\n", seeding);
        try {
            Measure("real Win32", real, shared, 7, false);
        } catch (...) {
            Remove(real);
            throw;
        }
        Remove(real);
#endif
    }
    return 0;
}
