// The HTTP client the update service asks its server with: one GET into memory per
// client, through an optional proxy. WinHTTP implements it; tests script a fake.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace kestrova {

// What every request of ours sends.
inline constexpr char kUpdateUserAgent[] = "Mozilla/5.0 (Windows NT 6.1; WOW64;rv:12.0) Gecko/20100101 Firefox/12.0";
inline constexpr char kUpdateAccept[] = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

struct HttpClientOptions {
    // Host and port of the proxy every request goes through; none for a direct connection.
    std::optional<std::string> proxyHost;
    int proxyPort = 0;
    // The hosts reached without the proxy, in WinHTTP's bypass-list form; empty for none.
    std::string proxyBypass;
    // None: the client's own limits.
    std::optional<std::chrono::milliseconds> connectTimeout;
    std::optional<std::chrono::milliseconds> readTimeout;
    // None: a body of any size; else a longer body fails the request.
    std::optional<std::size_t> bodyLimit;
};

struct HttpResponse {
    int status = 0;
    std::string body;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // GET `url`, following redirects; the final status and the whole body. A request
    // that gets no answer (name resolution, connection, time-out, TLS) or a body beyond
    // the options' limit throws AppError.
    virtual HttpResponse Get(const std::string& url) = 0;
};

// Builds a fresh client for each request.
class HttpClientFactory {
public:
    virtual ~HttpClientFactory() = default;
    virtual std::unique_ptr<HttpClient> Create(const HttpClientOptions& options) const = 0;
};

}  // namespace kestrova
