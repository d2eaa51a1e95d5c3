// A small HTTP server on 127.0.0.1 for the tests of the web-service client:
// it records what it receives and answers as each test scripts it,
// including the ways a real network fails (a connection dropped before the
// status, a stall, a body cut short, no Content-Length). It serves a bounded
// number of connections, each bounded in time, and lives no longer than its
// test.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace brumalis::online::testing {

struct TRecordedRequest {
    std::string szRequestLine;  // "GET /scripts/x.asp?a=b HTTP/1.1"
    std::string szMethod, szTarget;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string szBody;

    // The value of the first header of that name (ignoring case); nothing
    // found: empty, and bFound false when asked.
    std::string Header(std::string_view szName, bool* pbFound = nullptr) const;
    bool HasHeader(std::string_view szName) const;
};

enum class TAnswerMode {
    Normal,
    DropBeforeStatus,   // close the connection without a byte
    StallBeforeStatus,  // keep the connection open and silent
    StallInBody,        // send nBytes of the body, then fall silent
    CutBody,            // announce the whole body, send nBytes, close
    NoContentLength,    // send the body without Content-Length, then close
};

struct TScriptedAnswer {
    int nStatus = 200;
    std::string szBody;
    TAnswerMode mode = TAnswerMode::Normal;
    std::size_t nBytes = 0;
    std::vector<std::pair<std::string, std::string>> headers;
};

using TRequestHandler = std::function<TScriptedAnswer(const TRecordedRequest&)>;

class CTTestWebService {
public:
    static constexpr int kMaxConnections = 100;

    explicit CTTestWebService(TRequestHandler handler);
    ~CTTestWebService();
    CTTestWebService(const CTTestWebService&) = delete;
    CTTestWebService& operator=(const CTTestWebService&) = delete;

    int Port() const { return v_nPort; }
    // "127.0.0.1:<port>", as the settings name a server.
    std::string Endpoint() const;
    std::vector<TRecordedRequest> Requests() const;

private:
    void Serve();
    void Answer(int fd);
    // Waits until the service stops, at most a few seconds.
    void StallUntilStopped();

    TRequestHandler v_handler;
    int v_listenFd = -1;
    int v_nPort = 0;
    std::atomic<bool> v_bStop{false};
    mutable std::mutex v_mutex;
    std::condition_variable v_stopped;
    std::vector<TRecordedRequest> v_requests;
    std::thread v_thread;
};

// Clears the proxy variables so that every request goes to 127.0.0.1 itself.
void ClearProxyVariables();

}  // namespace brumalis::online::testing
