// Asking the update server: primary, then mirror, each through a fresh client built with
// the user's proxy and the check's time-outs, on a scripted fake client.
#include "update/UpdateServer.h"

#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kestrova {
namespace {

using namespace std::chrono_literals;

constexpr char kPrimary[] = "http://download.kestrova.org/download/Kestrova/version.txt";
constexpr char kMirror[] = "http://mirror.kestrova.net/download/Kestrova/version.txt";

// Answers each URL as scripted; a URL without a script fails as an unreachable host.
class ScriptedClients : public HttpClientFactory {
public:
    struct Request {
        std::string url;
        HttpClientOptions options;
    };
    std::map<std::string, HttpResponse> answers;
    mutable std::vector<Request> requests;

    std::unique_ptr<HttpClient> Create(const HttpClientOptions& options) const override
    {
        return std::make_unique<Client>(*this, options);
    }

private:
    class Client : public HttpClient {
    public:
        Client(const ScriptedClients& owner, HttpClientOptions options) : owner_(owner), options_(std::move(options)) {}
        HttpResponse Get(const std::string& url) override
        {
            EXPECT_FALSE(used_) << "a client serves one request";
            used_ = true;
            owner_.requests.push_back({url, options_});
            const auto answer = owner_.answers.find(url);
            if (answer == owner_.answers.end())
                throw AppError("Host not found");
            return answer->second;
        }

    private:
        const ScriptedClients& owner_;
        HttpClientOptions options_;
        bool used_ = false;
    };
};

std::vector<std::string> Urls(const ScriptedClients& clients)
{
    std::vector<std::string> urls;
    for (const auto& request : clients.requests)
        urls.push_back(request.url);
    return urls;
}

TEST(FetchServerVersion, AsksTheMirrorOnlyWhenThePrimaryGivesNoVersion)
{
    struct Case {
        const char* what;
        std::map<std::string, HttpResponse> answers;
        std::optional<std::string> version;
        std::string directory;  // where the download URL points
        std::vector<std::string> asked;
    };
    const std::string primaryDir = "http://download.kestrova.org/download/Kestrova/";
    const std::string mirrorDir = "http://mirror.kestrova.net/download/Kestrova/";
    const Case cases[] = {
        {"primary answers", {{kPrimary, {200, "1.2.3.4\r\n"}}, {kMirror, {200, "9.9"}}}, "1.2.3.4", primaryDir,
         {kPrimary}},
        {"primary 404", {{kPrimary, {404, "1.2.3.4"}}, {kMirror, {200, " 2.0\n"}}}, "2.0", mirrorDir,
         {kPrimary, kMirror}},
        {"primary blank body", {{kPrimary, {200, " \r\n\t"}}, {kMirror, {200, "2.0"}}}, "2.0", mirrorDir,
         {kPrimary, kMirror}},
        {"primary unreachable", {{kMirror, {200, "2.0"}}}, "2.0", mirrorDir, {kPrimary, kMirror}},
        {"primary redirected to an error page", {{kPrimary, {302, "x"}}, {kMirror, {200, "2.0"}}}, "2.0", mirrorDir,
         {kPrimary, kMirror}},
        {"primary names no plain version", {{kPrimary, {200, "1.0 /DIR=C:\\x"}}, {kMirror, {200, "2.0"}}}, "2.0",
         mirrorDir, {kPrimary, kMirror}},
        {"primary answers more than 1 KiB", {{kPrimary, {200, "1.0" + std::string(1022, ' ')}}, {kMirror, {200, "2.0"}}},
         "2.0", mirrorDir, {kPrimary, kMirror}},
        {"both fail", {{kPrimary, {500, "1.0"}}, {kMirror, {200, ""}}}, std::nullopt, "", {kPrimary, kMirror}},
        {"both unreachable", {}, std::nullopt, "", {kPrimary, kMirror}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MemoryRegistry registry;
        ScriptedClients clients;
        clients.answers = test.answers;
        const std::optional<ServerRelease> release = FetchServerVersion(registry, clients, false);
        EXPECT_EQ(Urls(clients), test.asked);
        ASSERT_EQ(release.has_value(), test.version.has_value());
        if (release) {
            EXPECT_EQ(release->version, *test.version);
            EXPECT_EQ(release->downloadUrl, test.directory + "Kestrova-setup.exe");
        }
    }
}

TEST(FetchServerVersion, PortableModeOffersTheArchive)
{
    MemoryRegistry registry;
    ScriptedClients clients;
    clients.answers = {{kPrimary, {200, "1.0"}}};
    EXPECT_EQ(FetchServerVersion(registry, clients, true)->downloadUrl,
              "http://download.kestrova.org/download/Kestrova/Kestrova.zip");
    EXPECT_EQ(GetSetupFileName(), "Kestrova-setup.exe");
    EXPECT_EQ(GetZipFileName(), "Kestrova.zip");
}

TEST(FetchServerVersion, EveryAttemptUsesTheUserProxyAndTheCheckTimeouts)
{
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    struct Case {
        const char* what;
        std::optional<std::uint32_t> enable;
        std::optional<std::string> host;
    };
    const Case cases[] = {
        {"proxy on", 1, "proxy1"},
        {"proxy off", 0, std::nullopt},
        {"no ProxyEnable: direct, and the mirror is still asked", std::nullopt, std::nullopt},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        MemoryRegistry registry;
        RegistrySeed seed(registry);
        seed.SetString(RegRoot::CurrentUser, 0, key, "ProxyServer", "http=proxy1:3128;https=proxy2:3129");
        if (test.enable)
            seed.SetDword(RegRoot::CurrentUser, 0, key, "ProxyEnable", *test.enable);
        ScriptedClients clients;
        EXPECT_FALSE(FetchServerVersion(registry, clients, false));
        ASSERT_EQ(clients.requests.size(), 2u);
        for (const auto& request : clients.requests) {
            EXPECT_EQ(request.options.proxyHost, test.host);
            EXPECT_EQ(request.options.proxyPort, test.host ? 3128 : 0);
            EXPECT_EQ(request.options.connectTimeout, 3000ms);
            EXPECT_EQ(request.options.readTimeout, 5000ms);
        }
    }
}

}  // namespace
}  // namespace kestrova
