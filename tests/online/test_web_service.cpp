#include "test_web_service.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "platform/settings_store.h"

namespace brumalis::online::testing {
namespace {

constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;
constexpr int kReadTimeoutMs = 5000;
constexpr auto kLongestStall = std::chrono::seconds(20);
constexpr auto kLifetime = std::chrono::minutes(2);

// Reads what is there within the time-out; false at the end or on error.
bool ReadSome(int fd, std::string& buffer) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, kReadTimeoutMs) <= 0) return false;
    char chunk[16384];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    buffer.append(chunk, static_cast<std::size_t>(n));
    return true;
}

void SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n <= 0) return;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string Trim(std::string_view s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

// Request line, headers and body of one request; false when it is not one.
bool ReadRequest(int fd, TRecordedRequest& request) {
    std::string buffer;
    std::size_t headerEnd = std::string::npos;
    while ((headerEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
        if (buffer.size() > kMaxHeaderBytes || !ReadSome(fd, buffer)) return false;
    }
    std::size_t lineEnd = buffer.find("\r\n");
    request.szRequestLine = buffer.substr(0, lineEnd);
    const std::size_t sp1 = request.szRequestLine.find(' ');
    const std::size_t sp2 = request.szRequestLine.rfind(' ');
    if (sp1 == std::string::npos || sp2 <= sp1) return false;
    request.szMethod = request.szRequestLine.substr(0, sp1);
    request.szTarget = request.szRequestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    while (lineEnd < headerEnd) {
        const std::size_t next = buffer.find("\r\n", lineEnd + 2);
        const std::string line = buffer.substr(lineEnd + 2, next - lineEnd - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) request.headers.emplace_back(line.substr(0, colon), Trim(line.substr(colon + 1)));
        lineEnd = next;
    }
    bool bHasLength = false;
    const std::string szLength = request.Header("Content-Length", &bHasLength);
    const std::size_t nLength = bHasLength ? std::strtoull(szLength.c_str(), nullptr, 10) : 0;
    if (nLength > kMaxBodyBytes) return false;
    request.szBody = buffer.substr(headerEnd + 4);
    while (request.szBody.size() < nLength) {
        if (!ReadSome(fd, request.szBody)) return false;
    }
    return true;
}

std::string Head(const TScriptedAnswer& answer, bool bWithLength) {
    std::string szHead = "HTTP/1.1 " + std::to_string(answer.nStatus) + (answer.nStatus == 200 ? " OK" : " Scripted") +
                         "\r\nConnection: close\r\n";
    if (bWithLength) szHead += "Content-Length: " + std::to_string(answer.szBody.size()) + "\r\n";
    for (const auto& [name, value] : answer.headers) szHead += name + ": " + value + "\r\n";
    return szHead + "\r\n";
}

}  // namespace

std::string TRecordedRequest::Header(std::string_view szName, bool* pbFound) const {
    for (const auto& [name, value] : headers) {
        if (platform::EqualsIgnoringCase(name, szName)) {
            if (pbFound != nullptr) *pbFound = true;
            return value;
        }
    }
    if (pbFound != nullptr) *pbFound = false;
    return {};
}

bool TRecordedRequest::HasHeader(std::string_view szName) const {
    bool bFound = false;
    Header(szName, &bFound);
    return bFound;
}

void ClearProxyVariables() {
    for (const char* szName : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                               "no_proxy", "NO_PROXY"})
        ::unsetenv(szName);
}

CTTestWebService::CTTestWebService(TRequestHandler handler) : v_handler(std::move(handler)) {
    ClearProxyVariables();
    v_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (v_listenFd < 0 || ::bind(v_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(v_listenFd, 16) != 0 || ::getsockname(v_listenFd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("the test web service cannot listen on 127.0.0.1");
    v_nPort = ntohs(addr.sin_port);
    v_thread = std::thread([this] { Serve(); });
}

CTTestWebService::~CTTestWebService() {
    {
        std::lock_guard lock(v_mutex);
        v_bStop = true;
    }
    v_stopped.notify_all();
    v_thread.join();
    ::close(v_listenFd);
}

std::string CTTestWebService::Endpoint() const { return "127.0.0.1:" + std::to_string(v_nPort); }

std::vector<TRecordedRequest> CTTestWebService::Requests() const {
    std::lock_guard lock(v_mutex);
    return v_requests;
}

void CTTestWebService::Serve() {
    const auto end = std::chrono::steady_clock::now() + kLifetime;
    for (int nServed = 0; nServed < kMaxConnections && !v_bStop && std::chrono::steady_clock::now() < end;) {
        pollfd p{v_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        const int fd = ::accept4(v_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ++nServed;
        Answer(fd);
        ::close(fd);
    }
}

void CTTestWebService::StallUntilStopped() {
    std::unique_lock lock(v_mutex);
    v_stopped.wait_for(lock, kLongestStall, [this] { return v_bStop.load(); });
}

void CTTestWebService::Answer(int fd) {
    TRecordedRequest request;
    if (!ReadRequest(fd, request)) return;
    {
        std::lock_guard lock(v_mutex);
        v_requests.push_back(request);
    }
    const TScriptedAnswer answer = v_handler(request);
    const std::string_view body = answer.szBody;
    switch (answer.mode) {
        case TAnswerMode::Normal: SendAll(fd, Head(answer, true) + answer.szBody); break;
        case TAnswerMode::DropBeforeStatus: break;
        case TAnswerMode::StallBeforeStatus: StallUntilStopped(); break;
        case TAnswerMode::StallInBody:
            SendAll(fd, Head(answer, true));
            SendAll(fd, body.substr(0, answer.nBytes));
            StallUntilStopped();
            break;
        case TAnswerMode::CutBody:
            SendAll(fd, Head(answer, true));
            SendAll(fd, body.substr(0, answer.nBytes));
            break;
        case TAnswerMode::NoContentLength: SendAll(fd, Head(answer, false) + answer.szBody); break;
    }
}

}  // namespace brumalis::online::testing
