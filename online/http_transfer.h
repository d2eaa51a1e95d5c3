// The HTTP transport under the web-service client, over libcurl. Answers are
// hostile input: every transfer is bounded in connect time, in the time it
// may stall and in the bytes it accepts, and never raises.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace brumalis::online {

// Limits of every transfer; process-wide so that tests can make them small.
struct THttpLimits {
    std::chrono::milliseconds connectTimeout{15000};
    // Longest time without a byte moving in either direction.
    std::chrono::milliseconds stallLimit{30000};
};
THttpLimits TransferLimits();
// Answers the previous limits.
THttpLimits SetTransferLimits(const THttpLimits& limits);

enum class THttpOutcome {
    Ok,                  // a 2xx status (200 for uploads) and the whole body
    NoTransport,         // the HTTP library could not start
    ConnectionFailed,    // no connection, or another transport error
    EndedBeforeStatus,   // the connection ended before a status came
    HttpError,           // a status the request does not accept
    TooLarge,            // more bytes than the caller accepts
    Stalled,             // nothing moved for longer than the stall limit
    Incomplete,          // the body ended before its announced length
    Refused,             // the caller's sink or source gave up
};

struct THttpResult {
    THttpOutcome outcome = THttpOutcome::ConnectionFailed;
    long nStatus = 0;  // 0 when none came
    bool Succeeded() const { return outcome == THttpOutcome::Ok; }
};

// Receives each piece of the body; false aborts the transfer.
using TBodySink = std::function<bool(const char* pData, std::size_t nCount)>;
// Bytes received so far and the announced total (0 when unknown).
using TTransferProgress = std::function<void(std::uint64_t nNow, std::uint64_t nTotal)>;
// Fills up to nCount bytes; answers how many (0 at the end), or nothing on error.
using TBodySource = std::function<std::ptrdiff_t(char* pBuffer, std::size_t nCount)>;

// The agent every request names.
inline constexpr const char* kUserAgent = "Mozilla/5.0 (compatible; MSIE 8.0;)";

// An open connection to the HTTP library, reused by the uploads made through
// it. Proxies come from the environment (http_proxy, https_proxy, no_proxy).
class CTInternetSession {
public:
    ~CTInternetSession();
    CTInternetSession(const CTInternetSession&) = delete;
    CTInternetSession& operator=(const CTInternetSession&) = delete;

    // Null when the HTTP library cannot start.
    static std::unique_ptr<CTInternetSession> Open();

    // A GET of the URL; at most 5 redirects, http or https only. The body
    // goes to pSink; more than nMaxBytes bytes fail the transfer.
    THttpResult Get(const std::string& szURL, std::uint64_t nMaxBytes, const TBodySink& pSink,
                    const TTransferProgress& pProgress);
    // A POST over HTTP/1.0 with a raw body of exactly nSize bytes from
    // pSource, no content type and no accepted types; only 200 succeeds.
    THttpResult Post(const std::string& szURL, std::uint64_t nSize, const TBodySource& pSource);

private:
    explicit CTInternetSession(void* pHandle);

    void* v_pHandle;  // CURL*
};

}  // namespace brumalis::online
