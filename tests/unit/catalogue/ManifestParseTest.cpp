// AppxManifest.xml as the system's XmlLite reads it: which verbs count, and manifests that
// are malformed, declare a DTD or exceed the bounds give nothing at all.
#include "catalogue/win32/Win32PackageSource.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

const std::string Head = R"(<?xml version="1.0" encoding="utf-8"?>
<Package xmlns="http://schemas.microsoft.com/appx/manifest/foundation/windows10"
         xmlns:d4="http://schemas.microsoft.com/appx/manifest/desktop/windows10/4"
         xmlns:desktop5="http://schemas.microsoft.com/appx/manifest/desktop/windows10/5"
         xmlns:fake="urn:not-desktop5">
)";

std::string Package(const std::string& body) { return Head + body + "</Package>"; }

std::string Extension(const std::string& category, const std::string& itemTypes)
{
    return "<Applications><Application Id=\"A\"><Extensions><d4:Extension Category=\"" + category +
           "\"><d4:FileExplorerContextMenus>" + itemTypes +
           "</d4:FileExplorerContextMenus></d4:Extension></Extensions></Application></Applications>";
}

TEST(ManifestParse, TakesTheDisplayNameAndEveryVerbOfTheContextMenuExtensionOnly)
{
    const std::string manifest = Package(
        "<Properties><DisplayName>Contoso <![CDATA[&]]> Tools</DisplayName>"
        "<Description>not the name</Description></Properties>"
        "<Applications><Application Id=\"A\"><uap:VisualElements xmlns:uap=\"urn:x\" DisplayName=\"Other\"/>"
        "</Application></Applications>" +
        Extension("windows.fileExplorerContextMenus",
                  "<desktop5:ItemType Type=\"*\"><desktop5:Verb Id=\"Open\" Clsid=\"A-1\"/>"
                  "<desktop5:Verb Id=\"NoClsid\"/><desktop5:Verb Id=\"Edit\" Clsid=\"A-2\"></desktop5:Verb></desktop5:ItemType>"
                  "<desktop5:ItemType Type=\"Directory\\Background\"><desktop5:Verb Id=\"Here\" Clsid=\"A-3\"/></desktop5:ItemType>"
                  "<fake:ItemType Type=\"*\"><fake:Verb Id=\"Fake\" Clsid=\"F\"/></fake:ItemType>") +
        Extension("windows.shareTarget",
                  "<desktop5:ItemType Type=\"*\"><desktop5:Verb Id=\"Elsewhere\" Clsid=\"E\"/></desktop5:ItemType>"));
    const std::optional<PackageManifest> parsed = ParseManifest(manifest);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, (PackageManifest{"Contoso & Tools",
                                        {{"*", "Open", "A-1"}, {"*", "Edit", "A-2"}, {"Directory\\Background", "Here", "A-3"}}}));
    // Without the extension there are no verbs, which is no fault.
    EXPECT_EQ(ParseManifest(Package("<Properties><DisplayName>X</DisplayName></Properties>")),
              (PackageManifest{"X", {}}));
}

TEST(ManifestParse, HostileOrBrokenManifestsGiveNothing)
{
    std::string deep = Package("<Properties><DisplayName>Deep</DisplayName></Properties>");
    for (int i = 0; i < 100; ++i)
        deep.insert(deep.size() - std::string("</Package>").size(), "<a>");
    std::string manyVerbs;
    for (int i = 0; i < 300; ++i)
        manyVerbs += "<desktop5:Verb Id=\"V" + std::to_string(i) + "\" Clsid=\"C\"/>";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"cut short", Package("<Properties><DisplayName>Cut").substr(0, 300)},
        {"not XML", "this is no manifest"},
        {"empty", ""},
        {"another root", "<Other><Properties><DisplayName>X</DisplayName></Properties></Other>"},
        {"internal entity",
         "<?xml version=\"1.0\"?><!DOCTYPE Package [<!ENTITY e \"x\">]>" + Package("<Properties><DisplayName>&e;</DisplayName></Properties>").substr(39)},
        {"external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE Package [<!ENTITY e SYSTEM \"file:///C:/windows/win.ini\">]>" +
             Package("<Properties><DisplayName>&e;</DisplayName></Properties>").substr(39)},
        {"nested too deep", deep},
        {"too many verbs",
         Package(Extension("windows.fileExplorerContextMenus", "<desktop5:ItemType Type=\"*\">" + manyVerbs + "</desktop5:ItemType>"))},
        {"too large", Package("<Properties><DisplayName>" + std::string(kMaxManifestBytes, 'x') + "</DisplayName></Properties>")},
    };
    for (const auto& [what, text] : cases)
        EXPECT_EQ(ParseManifest(text), std::nullopt) << what;
}

}  // namespace
}  // namespace kestrova
