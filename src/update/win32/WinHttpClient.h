// The HTTP client over WinHTTP: each GET read whole into memory.
#pragma once

#include "update/HttpClient.h"

namespace kestrova {

class WinHttpClient : public HttpClient {
public:
    explicit WinHttpClient(HttpClientOptions options) : options_(std::move(options)) {}

    // Throws as WinHttpRequest does when no answer arrives.
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
