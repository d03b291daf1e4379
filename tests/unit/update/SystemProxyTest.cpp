// The user's proxy read from the Internet settings of an in-memory registry.
#include "update/SystemProxy.h"

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
        {"host and port", true, DwordValue(1), StringValue(" proxy : 3128 "), true, "proxy", 3128, true},
        {"per protocol: the first", true, DwordValue(1), StringValue("http=proxy1:3128;https=proxy2:3129"), true,
         "proxy1", 3128, true},
        {"per protocol: the first whatever it names", true, DwordValue(1), StringValue("ftp=f:21;http=h:80"), true,
         "f", 21, true},
        {"per protocol: empty entries skipped", true, DwordValue(1), StringValue(" ; http= ;https=b:9"), true, "b", 9,
         true},
        {"per protocol: only \";\" separates", true, DwordValue(1), StringValue("http=a b:7 https=c:8"), true, "a b",
         8080, true},
        {"per protocol: nothing given", true, DwordValue(1), StringValue("http=;https= "), false, "", 0, true},
        {"port not a number", true, DwordValue(1), StringValue("proxy:abc"), true, "proxy", 8080, true},
        {"no port", true, DwordValue(1), StringValue("proxy"), true, "proxy", 8080, true},
        {"no host", true, DwordValue(1), StringValue(":3128"), false, "", 3128, true},
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

        SystemProxy proxy{"stale", 1, true};
        EXPECT_EQ(GetSystemProxy(registry, proxy), test.result);
        EXPECT_EQ(proxy.server, test.host);
        EXPECT_EQ(proxy.port, test.port);
        EXPECT_EQ(proxy.enabled, test.enabled);
        EXPECT_EQ(registry.OpenHandleCount(), 0u) << "the key stays open";
    }
}

}  // namespace
}  // namespace kestrova
