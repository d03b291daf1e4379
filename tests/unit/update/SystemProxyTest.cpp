// The user's proxy read from the Internet settings of an in-memory registry.
#include "update/SystemProxy.h"
#include "update/ProxyList.h"

#include "RegistrySeed.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <optional>

namespace kestrova {
namespace {

constexpr char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

RegValue StringValue(const std::string& text) { return MakeStringValue(text); }
RegValue DwordValue(std::uint32_t number) { return MakeDwordValue(number); }

TEST(GetSystemProxy, ReadsTheInternetSettingsAndClosesTheKey)
{
    struct Case {
        const char* what;
        bool keyExists;
        std::optional<RegValue> enable;
        std::optional<RegValue> server;
        bool result;
        std::string host;
        int port;
        bool enabled;
    };
    const Case cases[] = {
        {"no key", false, {}, {}, false, "", 0, false},
        {"no ProxyEnable: no proxy", true, {}, StringValue("p:1"), false, "", 0, false},
        {"ProxyEnable of text type: no proxy", true, StringValue("1"), StringValue("p:1"), false, "", 0, false},
        {"switched off", true, DwordValue(0), StringValue("p:3128"), false, "", 0, false},
        {"ProxyEnable 2 is not on", true, DwordValue(2), StringValue("p:3128"), false, "", 0, false},
        {"on without a server", true, DwordValue(1), {}, false, "", 0, true},
        {"on with an empty server", true, DwordValue(1), StringValue(""), false, "", 0, true},
        {"ProxyServer of number type: no proxy", true, DwordValue(1), DwordValue(5), false, "", 0, true},
        {"host and port", true, DwordValue(1), StringValue(" proxy:3128 "), true, "proxy", 3128, true},
        {"per protocol: the first", true, DwordValue(1), StringValue("http=proxy1:3128;https=proxy2:3129"), true,
         "proxy1", 3128, true},
        {"per protocol: the first whatever it names", true, DwordValue(1), StringValue("ftp=f:21;http=h:80"), true,
         "f", 21, true},
        {"per protocol: empty entries skipped", true, DwordValue(1), StringValue(" ; http= ;https=b:9"), true, "b", 9,
         true},
        {"blanks separate as \";\" does", true, DwordValue(1), StringValue("http=a b:7 https=c:8"), true, "a", 8080,
         true},
        {"per protocol: nothing given", true, DwordValue(1), StringValue("http=;https= "), false, "", 0, true},
        {"a scheme before the server", true, DwordValue(1), StringValue("http=http://h:3128"), true, "h", 3128, true},
        {"IPv6 in brackets", true, DwordValue(1), StringValue("[::1]:8081"), true, "::1", 8081, true},
        {"IPv6 without a port", true, DwordValue(1), StringValue("https=[fe80::2]"), true, "fe80::2", 8080, true},
        {"a SOCKS proxy is no HTTP proxy", true, DwordValue(1), StringValue("socks=s:1080;http=h:80"), true, "h", 80,
         true},
        {"only a SOCKS proxy", true, DwordValue(1), StringValue("SOCKS=s:1080"), false, "", 0, true},
        {"port not a number", true, DwordValue(1), StringValue("proxy:abc"), true, "proxy", 8080, true},
        {"port out of range", true, DwordValue(1), StringValue("proxy:70000"), true, "proxy", 8080, true},
        {"no port", true, DwordValue(1), StringValue("proxy"), true, "proxy", 8080, true},
        {"no host", true, DwordValue(1), StringValue(":3128"), false, "", 0, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MemoryRegistry registry;
        RegistrySeed seed(registry);
        if (test.keyExists)
            seed.CreateKey(RegRoot::CurrentUser, 0, kKey);
        if (test.enable)
            seed.SetValue(RegRoot::CurrentUser, 0, kKey, "ProxyEnable", *test.enable);
        if (test.server)
            seed.SetValue(RegRoot::CurrentUser, 0, kKey, "ProxyServer", *test.server);

        SystemProxy proxy{"stale", 1, true, "stale"};
        EXPECT_EQ(GetSystemProxy(registry, proxy), test.result);
        EXPECT_EQ(proxy.server, test.host);
        EXPECT_EQ(proxy.port, test.port);
        EXPECT_EQ(proxy.enabled, test.enabled);
        EXPECT_EQ(registry.OpenHandleCount(), 0u) << "the key stays open";
    }
}

TEST(GetSystemProxy, PassesTheBypassListOn)
{
    MemoryRegistry registry;
    RegistrySeed seed(registry);
    seed.SetValue(RegRoot::CurrentUser, 0, kKey, "ProxyEnable", DwordValue(1));
    seed.SetValue(RegRoot::CurrentUser, 0, kKey, "ProxyServer", StringValue("p:3128"));
    seed.SetValue(RegRoot::CurrentUser, 0, kKey, "ProxyOverride", StringValue("*.local;<local>"));
    SystemProxy proxy;
    ASSERT_TRUE(GetSystemProxy(registry, proxy));
    EXPECT_EQ(proxy.bypass, "*.local;<local>");
}

TEST(ProxyForWinHttp, PutsAnIPv6AddressInBrackets)
{
    EXPECT_EQ(ProxyForWinHttp("proxy", 3128), "proxy:3128");
    EXPECT_EQ(ProxyForWinHttp("::1", 8080), "[::1]:8080");
}

}  // namespace
}  // namespace kestrova
