// One GET over WinHTTP, part of Windows: TLS comes from the system (TLS 1.2 only), so the
// program carries no network code of its own. The body is read piece by piece, so a
// caller can keep a large one out of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "update/HttpClient.h"

namespace kestrova {

class WinHttpRequest {
public:
    // Sends GET `url`, following redirects, and waits for the response's headers. Throws
    // AppError "HTTP request failed (error N)" with WinHTTP's or the socket's code when no
    // answer arrives: 12007 name not resolved, 12029 no connection, 12002 or 10060 time-out.
    WinHttpRequest(const std::string& url, const HttpClientOptions& options);
    ~WinHttpRequest();
    WinHttpRequest(const WinHttpRequest&) = delete;
    WinHttpRequest& operator=(const WinHttpRequest&) = delete;

    int Status() const;
    // The size the server announced; none when it announced none.
    std::optional<std::int64_t> ContentLength() const;
    // Waits until some of the body has arrived and says how much can be read without
    // waiting; 0 once the body has ended. Throws as above.
    std::size_t Available();
    // Up to `size` bytes of the body into `buffer`; 0 once the body has ended. Throws as above.
    std::size_t Read(char* buffer, std::size_t size);

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace kestrova
