#include "NewMenuReferenceScan.h"

#include "catalogue/NewMenuNames.h"
#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/RegistryCursor.h"

#include <set>
#include <vector>

namespace kestrova {

namespace {

bool IsStringType(RegDataKind type)
{
    return type == RegDataKind::String || type == RegDataKind::ExpandString;
}

struct Scan {
    RegistryBackend& registry;
    RowSink& rows;
    std::set<std::string> listed;
    std::size_t counter = 0;

    bool IsUsable(RegistryCursor& reg, const std::string& templateKey)
    {
        if (templateKey.empty() || !reg.OpenKeyReadOnly(templateKey))
            return false;
        std::vector<std::string> names;
        reg.GetValueNames(names);
        bool usable = false;
        for (const std::string& name : names) {
            if (EqualsIgnoringAsciiCase(name, "FileName") || EqualsIgnoringAsciiCase(name, "Command"))
                usable = IsStringType(reg.GetDataType(name)) && !reg.ReadString(name).empty();
            else if (EqualsIgnoringAsciiCase(name, "NullFile") || EqualsIgnoringAsciiCase(name, "Data"))
                usable = reg.ValueExists(name);
            if (usable)
                break;
        }
        reg.CloseKey();
        return usable;
    }

    void ScanNewMenuKey(RegistryCursor& reg, const std::string& topLevelName, const std::string& classKey,
                        std::uint32_t viewFlags)
    {
        std::string templateKey;
        if (reg.KeyExists(classKey + "\\ShellNew"))
            templateKey = classKey + "\\ShellNew";
        else if (reg.KeyExists(classKey + "\\old_ShellNew"))
            templateKey = classKey + "\\old_ShellNew";

        if (IsUsable(reg, templateKey)) {
            if (!listed.insert(AsciiUpper(classKey)).second)
                return;
            std::string type = topLevelName;
            if (reg.OpenKeyReadOnly(classKey)) {
                if (reg.ValueExists("") && IsStringType(reg.GetDataType(""))) {
                    const std::string text = reg.ReadString("");
                    if (!text.empty())
                        type = text;
                }
                reg.CloseKey();
            }
            std::string caption = type;
            if (reg.OpenKeyReadOnly(templateKey)) {
                if (reg.ValueExists("MenuText")) {
                    if (IsStringType(reg.GetDataType("MenuText")))
                        caption = reg.ReadString("MenuText");
                } else if (reg.ValueExists("ItemName")) {
                    if (IsStringType(reg.GetDataType("ItemName")))
                        caption = reg.ReadString("ItemName");
                }
                reg.CloseKey();
            }
            if (caption.empty() || caption.find('\\') != std::string::npos)
                caption = StartsWith(topLevelName, ".") ? topLevelName.substr(1) : topLevelName;
            const bool switchedOff = reg.KeyExists(classKey + "\\old_ShellNew");
            const std::string section =
                (viewFlags & 0x100) ? "HKEY_LOCAL_MACHINE (64)" : "HKEY_LOCAL_MACHINE (32)";
            rows.Add(EntryRow{caption, {type, section, templateKey}, !switchedOff,
                              EntryTarget::Key(RegRoot::LocalMachine, viewFlags & access::ViewBits, templateKey,
                                               classKey)});
            ++counter;
            return;
        }

        if (!reg.OpenKeyReadOnly(classKey))
            return;
        std::vector<std::string> names;
        reg.GetKeyNames(names);
        reg.CloseKey();
        for (const std::string& name : names) {
            if (IsNeverEnteredSubkeyName(name))
                continue;
            try {
                ScanNewMenuKey(reg, topLevelName, classKey + "\\" + name, viewFlags);
            } catch (const AppError&) {
            }
        }
    }
};

}  // namespace

std::size_t ReferenceNewMenuScan(RegistryBackend& registry, RowSink& rows, const std::string& classesPath)
{
    Scan scan{registry, rows, {}, 0};
    for (std::uint32_t viewFlags : {0x20219u, 0x20119u}) {
        RegistryCursor reg(registry, viewFlags);
        reg.RootKey = RegRoot::LocalMachine;
        std::vector<std::string> names;
        if (reg.OpenKeyReadOnly(classesPath)) {
            reg.GetKeyNames(names);
            reg.CloseKey();
        }
        for (const std::string& name : names)
            if (!IsSkippedClassName(name))
                scan.ScanNewMenuKey(reg, name, classesPath + "\\" + name, viewFlags);
    }
    return scan.counter;
}

}  // namespace kestrova
