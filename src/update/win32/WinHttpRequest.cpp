#include "update/win32/WinHttpRequest.h"

#include <windows.h>
#include <winhttp.h>

#include "platform/AppError.h"
#include "platform/win32/WideString.h"
#include "update/ProxyList.h"

namespace kestrova {

namespace {

struct InternetCloser {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

[[noreturn]] void ThrowLastError()
{
    throw AppError("HTTP request failed (error " + std::to_string(GetLastError()) + ")");
}

HINTERNET Check(HINTERNET handle)
{
    if (!handle)
        ThrowLastError();
    return handle;
}

void Check(BOOL succeeded)
{
    if (!succeeded)
        ThrowLastError();
}

void SetOption(HINTERNET handle, DWORD option, DWORD value)
{
    Check(WinHttpSetOption(handle, option, &value, sizeof value));
}

int Milliseconds(const std::optional<std::chrono::milliseconds>& limit, int otherwise)
{
    return limit ? static_cast<int>(limit->count()) : otherwise;
}

Internet OpenSession(const HttpClientOptions& options)
{
    // WinHTTP wants the proxy as "host:port"; "http://host:port" fails with 12007.
    const std::wstring proxy =
        options.proxyHost ? Widen(ProxyForWinHttp(*options.proxyHost, options.proxyPort)) : std::wstring();
    const std::wstring bypass = Widen(options.proxyBypass);
    Internet session(Check(WinHttpOpen(Widen(kUpdateUserAgent).c_str(),
                                       proxy.empty() ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_NAMED_PROXY,
                                       proxy.empty() ? WINHTTP_NO_PROXY_NAME : proxy.c_str(),
                                       proxy.empty() || bypass.empty() ? WINHTTP_NO_PROXY_BYPASS : bypass.c_str(), 0)));
    // Zero keeps WinHTTP's own limit.
    const int connect = Milliseconds(options.connectTimeout, 0);
    const int read = Milliseconds(options.readTimeout, 0);
    if (connect || read) {
        Check(WinHttpSetTimeouts(session.get(), 0, connect ? connect : 60000, read ? read : 30000,
                                 read ? read : 30000));
        // The receive limit alone leaves the wait for the response's headers unlimited: a
        // server that accepts and never answers would hold the request for ever.
        if (read)
            SetOption(session.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(read));
    }
    SetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2);
    SetOption(session.get(), WINHTTP_OPTION_REDIRECT_POLICY, WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS);
    return session;
}

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring pathAndQuery;
    bool secure = false;
};

UrlParts CrackUrl(const std::wstring& url)
{
    URL_COMPONENTS components{};
    components.dwStructSize = sizeof components;
    components.dwHostNameLength = static_cast<DWORD>(-1);
    components.dwUrlPathLength = static_cast<DWORD>(-1);
    components.dwExtraInfoLength = static_cast<DWORD>(-1);
    Check(WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &components));
    UrlParts parts;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.port = components.nPort;
    parts.pathAndQuery.assign(components.lpszUrlPath, components.dwUrlPathLength);
    parts.pathAndQuery.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return parts;
}

}  // namespace

struct WinHttpRequest::Handles {
    Internet session;
    Internet connection;
    Internet request;
};

WinHttpRequest::WinHttpRequest(const std::string& url, const HttpClientOptions& options)
    : handles_(std::make_unique<Handles>())
{
    const UrlParts parts = CrackUrl(Widen(url));
    handles_->session = OpenSession(options);
    handles_->connection.reset(Check(WinHttpConnect(handles_->session.get(), parts.host.c_str(), parts.port, 0)));
    handles_->request.reset(Check(WinHttpOpenRequest(handles_->connection.get(), L"GET", parts.pathAndQuery.c_str(),
                                                     nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                     parts.secure ? WINHTTP_FLAG_SECURE : 0)));
    HINTERNET request = handles_->request.get();
    const std::wstring accept = L"Accept: " + Widen(kUpdateAccept);
    Check(WinHttpAddRequestHeaders(request, accept.c_str(), static_cast<DWORD>(accept.size()),
                                   WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE));
    Check(WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0));
    Check(WinHttpReceiveResponse(request, nullptr));
}

WinHttpRequest::~WinHttpRequest() = default;

int WinHttpRequest::Status() const
{
    DWORD status = 0;
    DWORD size = sizeof status;
    Check(WinHttpQueryHeaders(handles_->request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                              WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX));
    return static_cast<int>(status);
}

std::optional<std::int64_t> WinHttpRequest::ContentLength() const
{
    // As text: the number form of the query stops at 4 GiB.
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!WinHttpQueryHeaders(handles_->request.get(), WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX,
                             text, &size, WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    wchar_t* end = nullptr;
    const long long length = wcstoll(text, &end, 10);
    if (end == text || *end != L'\0' || length < 0)
        return std::nullopt;
    return length;
}

std::size_t WinHttpRequest::Available()
{
    DWORD available = 0;
    Check(WinHttpQueryDataAvailable(handles_->request.get(), &available));
    return available;
}

std::size_t WinHttpRequest::Read(char* buffer, std::size_t size)
{
    DWORD read = 0;
    Check(WinHttpReadData(handles_->request.get(), buffer, static_cast<DWORD>(size), &read));
    return read;
}

}  // namespace kestrova
