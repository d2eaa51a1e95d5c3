#include "online/http_transfer.h"

#include <curl/curl.h>

#include <mutex>

namespace brumalis::online {
namespace {

constexpr long kMaxRedirects = 5;
// Blocks in which an upload reads its file.
constexpr long kUploadBlock = 0x50000;

std::mutex& LimitsMutex() {
    static std::mutex m;
    return m;
}
THttpLimits& Limits() {
    static THttpLimits limits;
    return limits;
}

bool GlobalInit() {
    static const bool bOk = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return bOk;
}

using TClock = std::chrono::steady_clock;

// What the callbacks of one transfer share.
struct TTransferState {
    std::chrono::milliseconds stallLimit{};
    TClock::time_point lastMove = TClock::now();
    curl_off_t nLastMoved = -1;
    curl_off_t nLastReported = 0;
    std::uint64_t nReceived = 0;
    std::uint64_t nMaxBytes = 0;
    std::uint64_t nToSend = 0;
    const TBodySink* pSink = nullptr;
    const TTransferProgress* pProgress = nullptr;
    const TBodySource* pSource = nullptr;
    bool bStalled = false;
    bool bTooLarge = false;
    bool bRefused = false;
};

int OnTransferInfo(void* pState, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t, curl_off_t ulNow) {
    auto& st = *static_cast<TTransferState*>(pState);
    const TClock::time_point now = TClock::now();
    if (dlNow + ulNow != st.nLastMoved) {
        st.nLastMoved = dlNow + ulNow;
        st.lastMove = now;
    } else if (now - st.lastMove > st.stallLimit) {
        st.bStalled = true;
        return 1;
    }
    if (st.pProgress != nullptr && *st.pProgress && dlNow != st.nLastReported) {
        st.nLastReported = dlNow;
        (*st.pProgress)(static_cast<std::uint64_t>(dlNow), static_cast<std::uint64_t>(dlTotal));
    }
    return 0;
}

std::size_t OnBody(char* pData, std::size_t, std::size_t nCount, void* pState) {
    auto& st = *static_cast<TTransferState*>(pState);
    st.nReceived += nCount;
    if (st.nReceived > st.nMaxBytes) {
        st.bTooLarge = true;
        return 0;
    }
    if (st.pSink != nullptr && !(*st.pSink)(pData, nCount)) {
        st.bRefused = true;
        return 0;
    }
    return nCount;
}

std::size_t OnUploadRead(char* pBuffer, std::size_t, std::size_t nCount, void* pState) {
    auto& st = *static_cast<TTransferState*>(pState);
    if (st.nToSend == 0) return 0;
    const std::size_t nWanted = nCount < st.nToSend ? nCount : static_cast<std::size_t>(st.nToSend);
    const std::ptrdiff_t nRead = (*st.pSource)(pBuffer, nWanted);
    // A source that ends early would leave the server waiting for the
    // announced length: give up instead.
    if (nRead <= 0 || static_cast<std::size_t>(nRead) > nWanted) {
        st.bRefused = true;
        return CURL_READFUNC_ABORT;
    }
    st.nToSend -= static_cast<std::uint64_t>(nRead);
    return static_cast<std::size_t>(nRead);
}

// Options every request shares; false when the library refuses one.
bool Configure(CURL* pCurl, const std::string& szURL, TTransferState& st) {
    const THttpLimits limits = TransferLimits();
    st.stallLimit = limits.stallLimit;
    st.lastMove = TClock::now();
    bool bOk = true;
    auto set = [&bOk](CURLcode rc) { bOk = bOk && rc == CURLE_OK; };
    set(curl_easy_setopt(pCurl, CURLOPT_URL, szURL.c_str()));
    set(curl_easy_setopt(pCurl, CURLOPT_NOSIGNAL, 1L));
    set(curl_easy_setopt(pCurl, CURLOPT_USERAGENT, kUserAgent));
    set(curl_easy_setopt(pCurl, CURLOPT_PROTOCOLS_STR, "http,https"));
    set(curl_easy_setopt(pCurl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"));
    set(curl_easy_setopt(pCurl, CURLOPT_FOLLOWLOCATION, 1L));
    set(curl_easy_setopt(pCurl, CURLOPT_MAXREDIRS, kMaxRedirects));
    set(curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count())));
    set(curl_easy_setopt(pCurl, CURLOPT_NOPROGRESS, 0L));
    set(curl_easy_setopt(pCurl, CURLOPT_XFERINFOFUNCTION, &OnTransferInfo));
    set(curl_easy_setopt(pCurl, CURLOPT_XFERINFODATA, &st));
    set(curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, &OnBody));
    set(curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, &st));
    return bOk;
}

THttpOutcome OutcomeOf(CURLcode rc, const TTransferState& st, long nStatus) {
    if (st.bStalled) return THttpOutcome::Stalled;
    if (st.bTooLarge) return THttpOutcome::TooLarge;
    if (st.bRefused) return THttpOutcome::Refused;
    switch (rc) {
        case CURLE_OK: return THttpOutcome::Ok;
        case CURLE_FILESIZE_EXCEEDED: return THttpOutcome::TooLarge;
        case CURLE_HTTP_RETURNED_ERROR: return THttpOutcome::HttpError;
        case CURLE_PARTIAL_FILE: return THttpOutcome::Incomplete;
        case CURLE_GOT_NOTHING:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return nStatus == 0 ? THttpOutcome::EndedBeforeStatus : THttpOutcome::Incomplete;
        default: return THttpOutcome::ConnectionFailed;
    }
}

THttpResult Perform(CURL* pCurl, const TTransferState& st) {
    THttpResult result;
    const CURLcode rc = curl_easy_perform(pCurl);
    curl_easy_getinfo(pCurl, CURLINFO_RESPONSE_CODE, &result.nStatus);
    result.outcome = OutcomeOf(rc, st, result.nStatus);
    return result;
}

// Frees a header list at the end of a request.
struct THeaderList {
    curl_slist* pList = nullptr;
    ~THeaderList() { curl_slist_free_all(pList); }
    bool Add(const char* szHeader) {
        curl_slist* pNew = curl_slist_append(pList, szHeader);
        if (pNew == nullptr) return false;
        pList = pNew;
        return true;
    }
};

}  // namespace

THttpLimits TransferLimits() {
    std::lock_guard lock(LimitsMutex());
    return Limits();
}

THttpLimits SetTransferLimits(const THttpLimits& limits) {
    std::lock_guard lock(LimitsMutex());
    const THttpLimits previous = Limits();
    Limits() = limits;
    return previous;
}

CTInternetSession::CTInternetSession(void* pHandle) : v_pHandle(pHandle) {}

CTInternetSession::~CTInternetSession() { curl_easy_cleanup(static_cast<CURL*>(v_pHandle)); }

std::unique_ptr<CTInternetSession> CTInternetSession::Open() {
    if (!GlobalInit()) return nullptr;
    CURL* pCurl = curl_easy_init();
    if (pCurl == nullptr) return nullptr;
    return std::unique_ptr<CTInternetSession>(new CTInternetSession(pCurl));
}

THttpResult CTInternetSession::Get(const std::string& szURL, std::uint64_t nMaxBytes, const TBodySink& pSink,
                                   const TTransferProgress& pProgress) {
    auto* pCurl = static_cast<CURL*>(v_pHandle);
    curl_easy_reset(pCurl);
    TTransferState st;
    st.nMaxBytes = nMaxBytes;
    st.pSink = &pSink;
    st.pProgress = &pProgress;
    if (!Configure(pCurl, szURL, st) || curl_easy_setopt(pCurl, CURLOPT_FAILONERROR, 1L) != CURLE_OK ||
        curl_easy_setopt(pCurl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(nMaxBytes)) != CURLE_OK)
        return {THttpOutcome::NoTransport, 0};
    THttpResult result = Perform(pCurl, st);
    if (result.Succeeded() && (result.nStatus < 200 || result.nStatus > 299)) result.outcome = THttpOutcome::HttpError;
    return result;
}

THttpResult CTInternetSession::Post(const std::string& szURL, std::uint64_t nSize, const TBodySource& pSource) {
    auto* pCurl = static_cast<CURL*>(v_pHandle);
    curl_easy_reset(pCurl);
    TTransferState st;
    st.nMaxBytes = std::uint64_t{1} << 20;  // the answer is ignored; only its status counts
    st.nToSend = nSize;
    st.pSource = &pSource;
    // No content type (the body is the raw file), no accepted types, no
    // "Expect: 100-continue" pause.
    THeaderList headers;
    if (!headers.Add("Content-Type:") || !headers.Add("Accept:") || !headers.Add("Expect:"))
        return {THttpOutcome::NoTransport, 0};
    bool bOk = Configure(pCurl, szURL, st);
    auto set = [&bOk](CURLcode rc) { bOk = bOk && rc == CURLE_OK; };
    set(curl_easy_setopt(pCurl, CURLOPT_POST, 1L));
    set(curl_easy_setopt(pCurl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0)));
    set(curl_easy_setopt(pCurl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(nSize)));
    set(curl_easy_setopt(pCurl, CURLOPT_READFUNCTION, &OnUploadRead));
    set(curl_easy_setopt(pCurl, CURLOPT_READDATA, &st));
    set(curl_easy_setopt(pCurl, CURLOPT_UPLOAD_BUFFERSIZE, kUploadBlock));
    set(curl_easy_setopt(pCurl, CURLOPT_HTTPHEADER, headers.pList));
    if (!bOk) return {THttpOutcome::NoTransport, 0};
    THttpResult result = Perform(pCurl, st);
    if (result.Succeeded() && result.nStatus != 200) result.outcome = THttpOutcome::HttpError;
    return result;
}

}  // namespace brumalis::online
