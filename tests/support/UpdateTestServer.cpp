#include "UpdateTestServer.h"

#include <winsock2.h>
#include <windows.h>
#include <ws2tcpip.h>

#include <cctype>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

using namespace std::chrono_literals;

class Socket {
public:
    Socket() : handle_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket()
    {
        if (handle_ != INVALID_SOCKET)
            closesocket(handle_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET Get() const { return handle_; }

private:
    SOCKET handle_;
};

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port of 127.0.0.1 that nobody listens on at this moment.
int FreePort()
{
    Socket probe;
    sockaddr_in address = Loopback(0);
    bind(probe.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// The body of a plain HTTP/1.0 GET to the server; throws when it cannot be reached.
std::string Fetch(int port, const std::string& pathAndQuery)
{
    Socket connection;
    sockaddr_in address = Loopback(port);
    if (connect(connection.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("the update test server does not answer");
    const std::string request = "GET " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    send(connection.Get(), request.data(), static_cast<int>(request.size()), 0);
    std::string reply;
    char buffer[4096];
    for (int read; (read = recv(connection.Get(), buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, static_cast<std::size_t>(read));
    const std::size_t bodyStart = reply.find("\r\n\r\n");
    return bodyStart == std::string::npos ? std::string() : reply.substr(bodyStart + 4);
}

std::string Escape(const std::string& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const unsigned char c : text) {
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == '/') {
            escaped += static_cast<char>(c);
        } else {
            escaped += '%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 15];
        }
    }
    return escaped;
}

}  // namespace

UpdateTestServer::UpdateTestServer()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    port_ = FreePort();
    // Wine starts a Linux program as a Windows program would start another.
    std::wstring commandLine = Widen(std::string(KESTROVA_PYTHON) + " \"" + KESTROVA_UPDATE_TEST_SERVER +
                                     "\" --port " + std::to_string(port_));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        throw std::runtime_error("cannot start the update test server: error " + std::to_string(GetLastError()));
    // Wine starts a Linux program without a process of its own: it returns no process
    // handle and leaves the rest of the structure unset, so nothing there may be closed.
    if (process.hProcess) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (true) {
        try {
            Control("/__reset");
            return;
        } catch (const std::runtime_error&) {
            if (std::chrono::steady_clock::now() > deadline)
                throw;
            std::this_thread::sleep_for(100ms);
        }
    }
}

UpdateTestServer::~UpdateTestServer()
{
    try {
        Control("/__quit");
    } catch (const std::runtime_error&) {
        // Gone already; its own lifetime limit ends it otherwise.
    }
    WSACleanup();
}

std::string UpdateTestServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string UpdateTestServer::Control(const std::string& pathAndQuery) { return Fetch(port_, pathAndQuery); }

void UpdateTestServer::Answer(const std::string& host, const std::string& path, int status, const std::string& body)
{
    Control("/__set?host=" + Escape(host) + "&path=" + Escape(path) + "&status=" + std::to_string(status) +
            "&body=" + Escape(body));
}

void UpdateTestServer::Stall(const std::string& host, const std::string& path)
{
    Control("/__set?host=" + Escape(host) + "&path=" + Escape(path) + "&stall=1");
}

void UpdateTestServer::Redirect(const std::string& host, const std::string& path, const std::string& location)
{
    Control("/__set?host=" + Escape(host) + "&path=" + Escape(path) + "&redirect=" + Escape(location));
}

void UpdateTestServer::Serve(const std::string& host, const std::string& path, const ServedFile& file)
{
    std::string query = "/__file?host=" + Escape(host) + "&path=" + Escape(path) + "&source=" + Escape(file.source) +
                        "&version=" + Escape(file.version) + "&sign=" + Escape(file.sign) +
                        "&rate=" + std::to_string(file.rate);
    if (file.tamper)
        query += "&tamper=1";
    if (file.noSize)
        query += "&nosize=1";
    if (file.stallAfter)
        query += "&stall_after=" + std::to_string(*file.stallAfter);
    Control(query);
}

std::string UpdateTestServer::Log() { return Control("/__log"); }

void UpdateTestServer::Reset() { Control("/__reset"); }

}  // namespace kestrova
