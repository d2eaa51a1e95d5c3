// The web-service client: a short text answer of a server script, a file
// download with progress, a file upload, and the structure versions of the
// embedded databases. Nothing here raises; every failure answers false (or
// an empty text) and the caller chooses the message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "online/http_transfer.h"

namespace brumalis::online {

// Receives the number of bytes transferred so far.
using CTZorbitDownloadProgressIndicator = std::function<void(std::int32_t nTotalBytesRead)>;

// Turns transfer progress into calls of the indicator.
class CTMyBSClass {
public:
    explicit CTMyBSClass(CTZorbitDownloadProgressIndicator progIndic) : v_progIndic(std::move(progIndic)) {}

    // Calls the indicator with ulProgress when it is assigned, both numbers
    // are above 0 and ulProgressMax is at least ulProgress.
    void OnProgress(std::uint64_t ulProgress, std::uint64_t ulProgressMax, std::uint32_t ulStatusCode,
                    std::string_view szStatusText) const;

    CTZorbitDownloadProgressIndicator v_progIndic;
};

class CTZorbitIntegration {
public:
    CTZorbitIntegration() = delete;

    // A text answer longer than this fails.
    static constexpr std::uint64_t kMaxTextAnswer = std::uint64_t{1} << 20;
    // A download fails past its listed size, or past this without one.
    static constexpr std::uint64_t kMaxUnlistedDownload = std::uint64_t{1} << 30;
    static constexpr int kUploadAttempts = 20;

    // Null when the transport cannot start.
    static std::unique_ptr<CTInternetSession> StartInternetSession();

    // The answer of a server script (relative URL with its query, values
    // already encoded), each byte one character.
    static bool GetStringFromInternet(int nZorbitServerID, std::string_view szScriptRelativeURL,
                                      std::string& szReadStr);
    // Downloads a server file through the download script into
    // szLocalFileName, which appears only when the download succeeded (a
    // failure leaves any file of that name as it was). nExpectedSize > 0
    // bounds the download.
    static bool GetFileFromInternet(int nZorbitServerID, std::string_view szFileRelativeURL,
                                    const std::string& szLocalFileName, std::int64_t nExpectedSize,
                                    const CTZorbitDownloadProgressIndicator& pProgIndic);
    // Posts the file's bytes to the receiving script; true only for the whole
    // file and status 200. An empty or unreadable file sends nothing. A
    // connection that ends before its status is tried again, 20 times in all.
    static bool SaveFileToInternet(CTInternetSession* hSession, int nZorbitServerID,
                                   std::string_view szFileRelativeURL, const std::string& szLocalFileName,
                                   const CTZorbitDownloadProgressIndicator& pProgIndic);

    // The structure versions the program's embedded references name.
    static std::string GetCentralDbStructureVersionFromResource();
    static std::string GetCompanyDbStructureVersionFromResource();
};

}  // namespace brumalis::online
