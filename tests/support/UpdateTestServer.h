// The scripted HTTP server of the update tests (update_test_server.py), started on a free
// port of 127.0.0.1 for as long as the object lives. It answers as any host when used
// as a proxy, so one server plays both update hosts.
#pragma once

#include <string>

namespace kestrova {

class UpdateTestServer {
public:
    // Starts the server and waits until it answers; throws when it does not.
    UpdateTestServer();
    ~UpdateTestServer();
    UpdateTestServer(const UpdateTestServer&) = delete;
    UpdateTestServer& operator=(const UpdateTestServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;

    // How GET http://<host><path> is answered from now on.
    void Answer(const std::string& host, const std::string& path, int status, const std::string& body);
    void Stall(const std::string& host, const std::string& path);  // accepted, never answered
    void Redirect(const std::string& host, const std::string& path, const std::string& location);
    // "host path" of every answered request so far, one a line.
    std::string Log();
    void Reset();

private:
    std::string Control(const std::string& pathAndQuery);

    int port_ = 0;
};

}  // namespace kestrova
