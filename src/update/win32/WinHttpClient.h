// The HTTP client over WinHTTP, part of Windows: TLS comes from the system (TLS 1.2 only),
// so the program carries no network code of its own.
#pragma once

#include "update/HttpClient.h"

namespace kestrova {

class WinHttpClient : public HttpClient {
public:
    explicit WinHttpClient(HttpClientOptions options) : options_(std::move(options)) {}

    // Throws AppError "HTTP request failed (error N)" with WinHTTP's or the socket's code
    // when no answer arrives: 12007 name not resolved, 12029 no connection, 12002 or
    // 10060 time-out.
    HttpResponse Get(const std::string& url) override;

private:
    HttpClientOptions options_;
};

class WinHttpClientFactory : public HttpClientFactory {
public:
    std::unique_ptr<HttpClient> Create(const HttpClientOptions& options) const override
    {
        return std::make_unique<WinHttpClient>(options);
    }
};

}  // namespace kestrova
