// The scripted HTTP server of the update tests (update_test_server.py), started on a free
// port of 127.0.0.1 for as long as the object lives. It answers as any host when used
// as a proxy, so one server plays both update hosts.
#pragma once

#include <optional>
#include <string>

namespace kestrova {

// A download the server offers, with its update signature beside it.
struct ServedFile {
    std::string source;   // the Linux path of the file whose bytes are served
    std::string version;  // the version the signature is made for
    std::string sign = "dev";  // "dev": the development key; "other": another key; "none": no .sig
    bool tamper = false;  // one byte changed after signing
    int rate = 0;         // bytes a second; 0 as fast as it goes
    bool noSize = false;  // no size announced: the body ends with the connection
    std::optional<int> stallAfter;  // stops sending after so many bytes, for ever
};

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
    // GET http://<host><path> answers with the file, and <path>.sig with its signature.
    void Serve(const std::string& host, const std::string& path, const ServedFile& file);
    // "host path" of every answered request so far, one a line.
    std::string Log();
    void Reset();

private:
    std::string Control(const std::string& pathAndQuery);

    int port_ = 0;
};

}  // namespace kestrova
