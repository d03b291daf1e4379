// The WinHTTP client against a scripted HTTP server on 127.0.0.1: what it sends, redirects,
// statuses, a proxy in host:port form, and the limits that end a stalled or refused request.
#include "update/win32/WinHttpClient.h"

#include "UpdateTestServer.h"
#include "platform/AppError.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

using namespace std::chrono_literals;

class WinHttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new UpdateTestServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override { server->Reset(); }

    static HttpResponse Get(const std::string& url, HttpClientOptions options = {})
    {
        return WinHttpClient(options).Get(url);
    }
    static HttpClientOptions ThroughServer()
    {
        HttpClientOptions options;
        options.proxyHost = "127.0.0.1";
        options.proxyPort = server->Port();
        return options;
    }

    static UpdateTestServer* server;
};

UpdateTestServer* WinHttpClientTest::server = nullptr;

TEST_F(WinHttpClientTest, SendsOurUserAgentAndAcceptHeader)
{
    const HttpResponse echo = Get(server->Url("/echo"));
    EXPECT_EQ(echo.status, 200);
    EXPECT_NE(echo.body.find(std::string("User-Agent: ") + kUpdateUserAgent + "\n"), std::string::npos) << echo.body;
    EXPECT_NE(echo.body.find(std::string("Accept: ") + kUpdateAccept + "\n"), std::string::npos) << echo.body;
}

TEST_F(WinHttpClientTest, GivesStatusAndBodyAndFollowsRedirects)
{
    server->Answer("127.0.0.1", "/version.txt", 200, "1.2.3.4\r\n");
    server->Redirect("127.0.0.1", "/moved", server->Url("/version.txt"));
    struct Case {
        const char* path;
        int status;
        std::string body;
    };
    const Case cases[] = {
        {"/version.txt", 200, "1.2.3.4\r\n"},
        {"/moved", 200, "1.2.3.4\r\n"},
        {"/missing", 404, "not found"},
    };
    for (const Case& test : cases) {
        const HttpResponse response = Get(server->Url(test.path));
        EXPECT_EQ(response.status, test.status) << test.path;
        EXPECT_EQ(response.body, test.body) << test.path;
    }
}

TEST_F(WinHttpClientTest, AProxyInHostPortFormIsAskedForAnyHost)
{
    server->Answer("download.kestrova.org", "/download/Kestrova/version.txt", 200, "2.0");
    const HttpResponse response = Get("http://download.kestrova.org/download/Kestrova/version.txt", ThroughServer());
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, "2.0");
    EXPECT_EQ(server->Log(), "download.kestrova.org /download/Kestrova/version.txt\n");
}

TEST_F(WinHttpClientTest, HostsOfTheBypassListAreAskedWithoutTheProxyAndALongBodyFails)
{
    server->Answer("127.0.0.1", "/version.txt", 200, "1.2.3.4");
    HttpClientOptions options;
    options.proxyHost = "127.0.0.1";
    options.proxyPort = 1;  // nothing listens there
    options.proxyBypass = "127.0.0.1";
    EXPECT_EQ(Get(server->Url("/version.txt"), options).body, "1.2.3.4");

    options = {};
    options.bodyLimit = 6;
    EXPECT_THROW(Get(server->Url("/version.txt"), options), AppError);
    options.bodyLimit = 7;
    EXPECT_EQ(Get(server->Url("/version.txt"), options).body, "1.2.3.4");
}

TEST_F(WinHttpClientTest, StalledOrRefusedRequestsFailInsteadOfWaiting)
{
    server->Stall("127.0.0.1", "/stall");
    HttpClientOptions limits;
    limits.connectTimeout = 1000ms;
    limits.readTimeout = 1000ms;
    try {
        Get(server->Url("/stall"), limits);
        ADD_FAILURE() << "a server that never answers gave an answer";
    } catch (const AppError& error) {
        // A time-out: 12002 from WinHTTP, or 10060 from the socket where Wine reports that.
        const std::string message = error.what();
        EXPECT_TRUE(message.find("error 12002") != std::string::npos || message.find("error 10060") != std::string::npos)
            << message;
    }

    // Port 1 is a privileged port nobody on a test machine listens on.
    EXPECT_THROW(Get("http://127.0.0.1:1/version.txt", limits), AppError) << "nobody listening";
}

}  // namespace
}  // namespace kestrova
