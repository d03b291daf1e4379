// Fuzzes what the update check makes of the server's version.txt: any body must give a
// version or none without a crash, and the comparison with the local version must be a
// consistent order (equal to itself, the same answer either way round).
#include "platform/MemoryRegistry.h"
#include "update/CheckOutcome.h"
#include "update/UpdateServer.h"
#include "update/UpdateSignature.h"
#include "update/VersionCompare.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kestrova;

// Every request is answered 200 with the same body.
class FixedAnswerClients : public HttpClientFactory {
public:
    std::string body;

    std::unique_ptr<HttpClient> Create(const HttpClientOptions&) const override
    {
        return std::make_unique<Client>(body);
    }

private:
    class Client : public HttpClient {
    public:
        explicit Client(const std::string& body) : body_(body) {}
        HttpResponse Get(const std::string&) override { return {200, body_}; }

    private:
        const std::string& body_;
    };
};

void CheckOrder(std::string_view a, std::string_view b)
{
    const int forward = CompareVersions(a, b);
    if (forward < -1 || forward > 1 || CompareVersions(b, a) != -forward || CompareVersions(a, a) != 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static MemoryRegistry registry;  // no proxy configured
    static FixedAnswerClients clients;
    clients.body.assign(bytes);

    const std::optional<ServerRelease> release = FetchServerVersion(registry, clients, false);
    constexpr std::string_view kLocalVersion = "1.0.0.0";
    (void)DisplayCheckResult(release, kLocalVersion, [](std::string_view item) { return std::string(item); });
    if (release) {
        CheckOrder(release->version, kLocalVersion);
        (void)SignedMessageHeader(GetSetupFileName(), release->version);
    }

    // Two versions from one input, split at its middle.
    CheckOrder(bytes.substr(0, size / 2), bytes.substr(size / 2));
    return 0;
}
