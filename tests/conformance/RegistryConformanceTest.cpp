// The registry rules the program relies on, checked through RegistryCursor (and, for the
// rules below it, the backend itself) against every backend: the in-memory hive must
// behave as the real registry does.
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/RegKey.h"
#include "platform/RegValueData.h"
#include "platform/RegistryCursor.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

using namespace std::string_literals;

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr std::uint32_t View64 = access::Wow64_64Key;
// The view of calls without view bits: the process's own.
constexpr std::uint32_t NativeView = sizeof(void*) == 4 ? View32 : View64;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

std::string UniqueId()
{
    static std::mt19937_64 random{std::random_device{}()};
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(random()));
    return text;
}

RegValue Raw(RegType type, std::vector<std::uint8_t> data)
{
    return RegValue{static_cast<std::uint32_t>(type), std::move(data)};
}

// One value of every type, the default value among them, and two levels of subkeys.
KeyTree EntryWithEveryValueType()
{
    return KeyTree{}
        .Value("", MakeStringValue("Default text"))
        .Value("Expand", MakeStringValue("%SystemRoot%\\x", RegType::ExpandSz))
        .Value("Number", MakeDwordValue(0xFFFFFFFE))
        .Value("BigEndian", Raw(RegType::DwordBigEndian, {0, 0, 1, 2}))
        .Value("Bytes", Raw(RegType::Binary, {0, 255, 7}))
        .Value("Link", Raw(RegType::Link, {'a', 0, 'b', 0}))
        .Value("Multi", Raw(RegType::MultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}))
        .Value("Wide", Raw(RegType::Qword, {1, 2, 3, 4, 5, 6, 7, 8}))
        .Value("Nothing", Raw(RegType::None, {}))
        .Subkey("command", KeyTree{}.Value("", MakeStringValue("app.exe \"%1\"")))
        .Subkey("DropTarget", KeyTree{}
                                  .Value("Clsid", MakeStringValue("{1}"))
                                  .Subkey("Deeper", KeyTree{}.Value("Flag", MakeDwordValue(1)))
                                  .Subkey("Empty", KeyTree{}));
}

class RegistryConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
        const std::string id = UniqueId();
        user_ = "Software\\KestrovaTest\\" + id;
        machine_ = "SOFTWARE\\KestrovaTest" + id;
        classesName_ = "KestrovaTest" + id;
        classes_ = "SOFTWARE\\Classes\\" + classesName_;
        clsid_ = "SOFTWARE\\Classes\\CLSID\\{KestrovaTest-" + id + "}";
    }

    void TearDown() override
    {
        for (std::uint32_t view : {View32, View64}) {
            seed_->DeleteTree(HKCU, view, user_);
            seed_->DeleteTree(HKLM, view, machine_);
            seed_->DeleteTree(HKLM, view, classes_);
            seed_->DeleteTree(HKLM, view, clsid_);
        }
        seed_->DeleteTree(HKLM, View64, "SOFTWARE\\Classes\\Wow6432Node\\" + classesName_);
        backend_->DeleteKey(RootHandle(HKCU), "Software\\KestrovaTest", 0);  // only once empty
    }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
    std::string user_, machine_, classesName_, classes_, clsid_;
};

TEST_P(RegistryConformance, SubkeysEnumerateInCaseInsensitiveOrder)
{
    for (const char* name : {"b", "_x", "A", "a1", "C", "Ab"})
        seed_->CreateKey(HKCU, 0, user_ + "\\" + name);
    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, false));
    std::vector<std::string> names{"stale"};
    registry.GetKeyNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "A", "a1", "Ab", "b", "C"}));  // by lower-cased name
}

TEST_P(RegistryConformance, ValuesEnumerateInCreationOrder)
{
    if (!GetParam().valuesInCreationOrder)
        GTEST_SKIP() << kValuesSortedReason;
    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, true));
    for (const char* name : {"zeta", "Alpha", "", "mid"})
        registry.WriteString(name, name);
    std::vector<std::string> names{"stale"};
    registry.GetValueNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"zeta", "Alpha", "", "mid"}));
}

TEST_P(RegistryConformance, NamesAreCaseInsensitiveAndKeepTheirCase)
{
    seed_->SetString(HKCU, 0, user_ + "\\MixedCase", "ValueName", "old");
    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_ + "\\MIXEDCASE", false));
    EXPECT_TRUE(registry.ValueExists("VALUENAME"));
    registry.WriteString("valuename", "new");

    std::vector<std::string> names;
    registry.GetValueNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"ValueName"});
    EXPECT_EQ(registry.ReadString("ValueName"), "new");
    ASSERT_TRUE(registry.OpenKey("\\" + user_, false));
    registry.GetKeyNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"MixedCase"});
}

TEST_P(RegistryConformance, DefaultValueIsTheEmptyName)
{
    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, true));
    EXPECT_FALSE(registry.ValueExists(""));
    registry.WriteString("", "default");
    EXPECT_TRUE(registry.ValueExists(""));
    EXPECT_EQ(registry.ReadString(""), "default");
    EXPECT_EQ(seed_->Value(HKCU, 0, user_, ""), MakeStringValue("default"));
}

TEST_P(RegistryConformance, GetDataTypeNamesEveryType)
{
    const struct {
        RegValue value;
        RegDataKind type;
    } cases[] = {
        {MakeStringValue("s"), RegDataKind::String},
        {MakeStringValue("s", RegType::ExpandSz), RegDataKind::ExpandString},
        {MakeDwordValue(1), RegDataKind::Integer},
        {Raw(RegType::DwordBigEndian, {0, 0, 0, 1}), RegDataKind::IntegerBigEndian},
        {Raw(RegType::Binary, {1}), RegDataKind::Binary},
        {Raw(RegType::Link, {'a', 0}), RegDataKind::Link},
        {Raw(RegType::MultiSz, {'a', 0, 0, 0}), RegDataKind::MultiString},
        {Raw(RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}), RegDataKind::Int64},
        {Raw(RegType::None, {}), RegDataKind::None},
        {RegValue{8, {1, 2}}, RegDataKind::Unknown},  // REG_RESOURCE_LIST
    };
    for (const auto& c : cases)
        seed_->SetValue(HKCU, 0, user_, std::to_string(c.value.type), c.value);

    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, false));
    for (const auto& c : cases)
        EXPECT_EQ(registry.GetDataType(std::to_string(c.value.type)), c.type) << "type " << c.value.type;
    EXPECT_EQ(registry.GetDataType("missing"), RegDataKind::Unknown);
}

TEST_P(RegistryConformance, ReadStringAndReadIntegerResultsAndErrors)
{
    seed_->CreateKey(HKCU, 0, user_);
    const struct {
        std::optional<RegValue> value;
        std::string text;          // what ReadString gives, or its error
        std::string integer;       // what ReadInteger gives, or its error
    } cases[] = {
        {MakeStringValue("abc"), "abc", "Invalid data type for 'v'"},
        {Raw(RegType::Sz, {'a', 0, 0, 0, 'b', 0, 0, 0}), "a", "Invalid data type for 'v'"},
        {MakeStringValue("%x%", RegType::ExpandSz), "%x%", "Invalid data type for 'v'"},
        {MakeStringValue(""), "", "Invalid data type for 'v'"},
        {Raw(RegType::Sz, {}), "", "Invalid data type for 'v'"},
        {std::nullopt, "", "Failed to get data for 'v'"},
        {MakeDwordValue(42), "Invalid data type for 'v'", "42"},
        {MakeDwordValue(0xFFFFFFFF), "Invalid data type for 'v'", "-1"},
        {Raw(RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}), "Invalid data type for 'v'", "Invalid data type for 'v'"},
        {Raw(RegType::MultiSz, {'a', 0, 0, 0}), "Invalid data type for 'v'", "Invalid data type for 'v'"},
    };
    for (const auto& c : cases) {
        RegistryCursor registry(*backend_);
        ASSERT_TRUE(registry.OpenKey(user_, false));
        if (c.value)
            seed_->SetValue(HKCU, 0, user_, "v", *c.value);
        std::string text, integer;
        try { text = registry.ReadString("v"); } catch (const AppError& e) { text = e.what(); }
        try { integer = std::to_string(registry.ReadInteger("v")); } catch (const AppError& e) { integer = e.what(); }
        EXPECT_EQ(text, c.text) << "type " << (c.value ? c.value->type : 99);
        EXPECT_EQ(integer, c.integer) << "type " << (c.value ? c.value->type : 99);
        seed_->DeleteTree(HKCU, 0, user_);
        seed_->CreateKey(HKCU, 0, user_);
    }
}

TEST_P(RegistryConformance, WriteStringFailsWithoutAWritableKey)
{
    seed_->CreateKey(HKCU, 0, user_);
    RegistryCursor registry(*backend_);
    EXPECT_THROW(
        try { registry.WriteString("v", "x"); } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "Failed to set data for 'v'");
            throw;
        },
        AppError);
    ASSERT_TRUE(registry.OpenKeyReadOnly(user_));
    EXPECT_THROW(registry.WriteString("v", "x"), AppError);
    EXPECT_FALSE(seed_->Value(HKCU, 0, user_, "v"));
}

TEST_P(RegistryConformance, PathsStartAtTheRootOrTheCurrentKey)
{
    seed_->SetString(HKCU, 0, user_ + "\\A\\B", "v", "inner");
    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, false));  // no current key: from the root
    EXPECT_TRUE(registry.KeyExists("A\\B"));       // from the current key
    EXPECT_FALSE(registry.KeyExists("\\A"));       // from the root
    ASSERT_TRUE(registry.OpenKey("A", false));
    ASSERT_TRUE(registry.OpenKey("B", false));
    EXPECT_EQ(registry.ReadString("v"), "inner");
    ASSERT_TRUE(registry.OpenKey("\\" + user_, false));
    ASSERT_TRUE(registry.OpenKey("New\\Deeper", true));
    EXPECT_TRUE(seed_->KeyExists(HKCU, 0, user_ + "\\New\\Deeper"));
    ASSERT_TRUE(registry.OpenKey("\\" + user_, false));
    EXPECT_TRUE(registry.DeleteKey("A"));
    EXPECT_FALSE(seed_->KeyExists(HKCU, 0, user_ + "\\A"));
    registry.CloseKey();
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_FALSE(registry.KeyExists("New"));
    EXPECT_TRUE(registry.KeyExists(user_ + "\\New"));
}

TEST_P(RegistryConformance, OpenKeyReadOnlyKeepsTheViewInTheMaskThatWorked)
{
    seed_->CreateKey(HKLM, View32, machine_);
    for (std::uint32_t view : {View32, View64, 0u}) {
        RegistryCursor registry(*backend_, access::AllAccess | view);
        registry.RootKey = HKLM;
        EXPECT_FALSE(registry.OpenKeyReadOnly(machine_ + "\\Missing"));
        EXPECT_EQ(registry.Access, access::AllAccess | view);
        const std::uint32_t effectiveView = view ? view : NativeView;
        EXPECT_EQ(registry.OpenKeyReadOnly(machine_), effectiveView == View32) << "view " << view;
    }
    RegistryCursor registry(*backend_, access::AllAccess | View32);
    registry.RootKey = HKLM;
    ASSERT_TRUE(registry.OpenKeyReadOnly(machine_));
    EXPECT_EQ(registry.Access, 0x20219u);
    EXPECT_TRUE(registry.HasCurrentKey());
}

TEST_P(RegistryConformance, ClassesKeyOfOneViewOpensInEveryView)
{
    if (!GetParam().sharesClasses)
        GTEST_SKIP() << kClassesApartReason;
    seed_->CreateKey(HKLM, View32, classes_);
    for (std::uint32_t view : {View32, View64, 0u}) {
        RegistryCursor registry(*backend_, access::AllAccess | view);
        registry.RootKey = HKLM;
        EXPECT_TRUE(registry.OpenKeyReadOnly(classes_)) << "view " << view;
    }
}

TEST_P(RegistryConformance, Software32BitViewIsRedirectedToWow6432Node)
{
    RegistryCursor registry32(*backend_, access::AllAccess | View32);
    RegistryCursor registry64(*backend_, access::AllAccess | View64);
    registry32.RootKey = registry64.RootKey = HKLM;
    ASSERT_TRUE(registry32.OpenKey(machine_ + "\\Sub", true));
    registry32.WriteString("v", "32");

    EXPECT_TRUE(seed_->KeyExists(HKLM, View64, "SOFTWARE\\Wow6432Node\\" + machine_.substr(9) + "\\Sub"));
    EXPECT_FALSE(registry64.KeyExists(machine_));
    ASSERT_TRUE(registry64.OpenKey(machine_ + "\\Sub", true));
    registry64.WriteString("v", "64");
    EXPECT_EQ(registry32.ReadString("v"), "32");
    EXPECT_EQ(registry64.ReadString("v"), "64");
}

TEST_P(RegistryConformance, ClassesAreSharedBetweenTheViews)
{
    if (!GetParam().sharesClasses)
        GTEST_SKIP() << kClassesApartReason;
    RegistryCursor registry32(*backend_, access::AllAccess | View32);
    registry32.RootKey = HKLM;
    ASSERT_TRUE(registry32.OpenKey(classes_, true));
    EXPECT_TRUE(seed_->KeyExists(HKLM, View64, classes_));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View64, "SOFTWARE\\Classes\\Wow6432Node\\" + classesName_));
    EXPECT_TRUE(seed_->KeyExists(RegRoot::ClassesRoot, View64, classesName_));
}

TEST_P(RegistryConformance, ClassIdsOfThe32BitViewAreRedirected)
{
    RegistryCursor registry32(*backend_, access::AllAccess | View32);
    registry32.RootKey = HKLM;
    ASSERT_TRUE(registry32.OpenKey(clsid_, true));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View64, clsid_));
    EXPECT_TRUE(seed_->KeyExists(HKLM, View64, "SOFTWARE\\Classes\\Wow6432Node" + clsid_.substr(16)));
    EXPECT_TRUE(seed_->KeyExists(RegRoot::ClassesRoot, View32, clsid_.substr(17)));
}

TEST_P(RegistryConformance, KeyNamesTellWhetherTwoViewsReachTheSameKey)
{
    for (const std::string& path : {machine_, classes_, clsid_})
        for (std::uint32_t view : {View32, View64})
            seed_->CreateKey(HKLM, view, path);
    const auto name = [&](std::uint32_t view, const std::string& path) {
        RegHandle handle{};
        EXPECT_EQ(backend_->OpenKey(RootHandle(HKLM), path, access::Read | view, handle), regerr::Success) << path;
        const RegKey key(*backend_, handle);
        std::string text;
        EXPECT_EQ(backend_->QueryKeyName(handle, text), regerr::Success) << path;
        return AsciiUpper(text);
    };
    const std::string machine64 = name(View64, machine_);
    EXPECT_TRUE(StartsWith(machine64, "\\REGISTRY\\MACHINE\\")) << machine64;
    EXPECT_EQ(machine64.substr(machine64.size() - machine_.size()), AsciiUpper(machine_));
    EXPECT_EQ(name(View64, "software\\" + machine_.substr(9)), machine64) << "the same key, spelt otherwise";
    EXPECT_NE(name(View32, machine_), machine64);
    EXPECT_NE(name(View32, clsid_), name(View64, clsid_));
    EXPECT_EQ(name(View32, classes_) == name(View64, classes_), GetParam().sharesClasses);
}

TEST_P(RegistryConformance, DeleteKeyRemovesAWholeTreeInItsViewOnly)
{
    const KeyTree tree = EntryWithEveryValueType();
    seed_->WriteTree(HKLM, View32, machine_, tree);
    seed_->WriteTree(HKLM, View64, machine_, tree);
    RegistryCursor registry32(*backend_, access::AllAccess | View32);
    registry32.RootKey = HKLM;
    EXPECT_TRUE(registry32.DeleteKey(machine_));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, machine_));
    EXPECT_EQ(seed_->Snapshot(HKLM, View64, machine_), tree);
    EXPECT_FALSE(registry32.DeleteKey(machine_));

    RegistryCursor registry64(*backend_, access::AllAccess | View64);
    registry64.RootKey = HKLM;
    EXPECT_TRUE(registry64.DeleteKey(machine_));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View64, machine_));
}

TEST_P(RegistryConformance, DeleteKeyOfSharedClassesRemovesItFromBothViews)
{
    if (!GetParam().sharesClasses)
        GTEST_SKIP() << kClassesApartReason;
    const std::string path = classes_ + "\\shell\\Foo";
    seed_->WriteTree(HKLM, View64, path, EntryWithEveryValueType());
    RegistryCursor registry32(*backend_, access::AllAccess | View32);
    registry32.RootKey = HKLM;
    EXPECT_TRUE(registry32.DeleteKey(path));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View64, path));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, path));
}

TEST_P(RegistryConformance, MoveKeyCarriesEveryValueAndSubkey)
{
    const KeyTree tree = EntryWithEveryValueType();
    const std::string source = classes_ + "\\*\\shell\\Foo";
    const std::string backup = classes_ + "\\SOFTWARE\\ContextMenu\\FilesFolders\\*\\shell\\Foo";
    for (bool deleteSource : {true, false}) {
        seed_->WriteTree(HKLM, View32, source, tree);
        RegistryCursor registry(*backend_, 0xF023F);
        registry.RootKey = HKLM;
        registry.MoveKey(source, backup, deleteSource);
        EXPECT_EQ(seed_->Snapshot(HKLM, View32, backup), tree);
        EXPECT_EQ(seed_->Snapshot(HKLM, View32, source), deleteSource ? std::nullopt : std::optional(tree));
        seed_->DeleteTree(HKLM, View32, classes_);
    }
}

TEST_P(RegistryConformance, MoveKeyDoesNothingWithoutSourceOrWithADestination)
{
    const KeyTree destination = KeyTree{}.Value("", MakeStringValue("kept"));
    seed_->WriteTree(HKCU, 0, user_ + "\\Source", EntryWithEveryValueType());
    seed_->WriteTree(HKCU, 0, user_ + "\\Taken", destination);
    RegistryCursor registry(*backend_);
    registry.MoveKey(user_ + "\\Missing", user_ + "\\Target", true);
    EXPECT_FALSE(seed_->KeyExists(HKCU, 0, user_ + "\\Target"));
    registry.MoveKey(user_ + "\\Source", user_ + "\\Taken", true);
    EXPECT_EQ(seed_->Snapshot(HKCU, 0, user_ + "\\Source"), EntryWithEveryValueType());
    EXPECT_EQ(seed_->Snapshot(HKCU, 0, user_ + "\\Taken"), destination);
}

// Rules below RegistryCursor that its operations build on.
TEST_P(RegistryConformance, BackendRefusesDeletingKeysWithSubkeysAndServesDeletedKeysNoMore)
{
    seed_->CreateKey(HKCU, 0, user_ + "\\Parent\\Child");
    EXPECT_NE(backend_->DeleteKey(RootHandle(HKCU), user_ + "\\Parent", 0), regerr::Success);
    EXPECT_TRUE(seed_->KeyExists(HKCU, 0, user_ + "\\Parent\\Child"));

    RegHandle child{};
    ASSERT_EQ(backend_->OpenKey(RootHandle(HKCU), user_ + "\\Parent\\Child", access::AllAccess, child), regerr::Success);
    RegKey owner(*backend_, child);
    ASSERT_EQ(backend_->DeleteKey(RootHandle(HKCU), user_ + "\\Parent\\Child", 0), regerr::Success);
    std::string name;
    RegValue value;
    EXPECT_EQ(backend_->SetValue(child, "v", MakeDwordValue(1)), regerr::KeyDeleted);
    EXPECT_EQ(backend_->QueryValue(child, "v", value), regerr::KeyDeleted);
    EXPECT_EQ(backend_->EnumKey(child, 0, name), regerr::KeyDeleted);
}

TEST_P(RegistryConformance, BackendHandlesAllowOnlyWhatTheyWereOpenedFor)
{
    seed_->SetString(HKCU, 0, user_ + "\\Sub", "v", "x");
    RegHandle reader{}, querier{};
    ASSERT_EQ(backend_->OpenKey(RootHandle(HKCU), user_, access::Read, reader), regerr::Success);
    RegKey readerOwner(*backend_, reader);
    ASSERT_EQ(backend_->OpenKey(RootHandle(HKCU), user_, access::QueryValue, querier), regerr::Success);
    RegKey querierOwner(*backend_, querier);
    std::string name;
    EXPECT_EQ(backend_->SetValue(reader, "v", MakeDwordValue(1)), regerr::AccessDenied);
    EXPECT_EQ(backend_->EnumKey(reader, 0, name), regerr::Success);
    EXPECT_EQ(backend_->EnumKey(querier, 0, name), regerr::AccessDenied);
    EXPECT_EQ(backend_->EnumValue(querier, 0, name), regerr::NoMoreItems);
}

TEST_P(RegistryConformance, DeleteValueRemovesOneValueInAnyCaseAndNeedsSetValueAccess)
{
    seed_->SetString(HKCU, 0, user_, "{ABC-def}", "blocked");
    seed_->SetString(HKCU, 0, user_, "", "default");
    RegHandle reader{};
    ASSERT_EQ(backend_->OpenKey(RootHandle(HKCU), user_, access::Read, reader), regerr::Success);
    RegKey readerOwner(*backend_, reader);
    EXPECT_EQ(backend_->DeleteValue(reader, "{ABC-def}"), regerr::AccessDenied);

    RegistryCursor registry(*backend_);
    ASSERT_TRUE(registry.OpenKey(user_, false));
    EXPECT_TRUE(registry.DeleteValue("{abc-DEF}"));
    EXPECT_FALSE(registry.ValueExists("{ABC-def}"));
    EXPECT_TRUE(registry.DeleteValue("{ABC-def}"));  // gone already counts as gone
    EXPECT_EQ(seed_->Value(HKCU, 0, user_, ""), MakeStringValue("default"));
    EXPECT_TRUE(registry.DeleteValue(""));
    EXPECT_EQ(seed_->Value(HKCU, 0, user_, ""), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
