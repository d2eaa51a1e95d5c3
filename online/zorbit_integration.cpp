#include "online/zorbit_integration.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "objectstore/database_set.h"
#include "online/zorbit_config.h"
#include "platform/atomic_file.h"

namespace brumalis::online {
namespace {

// The server's base URL, or nothing for a server without a host.
bool ServerURL(int nServerID, std::string_view szRelative, std::string& szURL) {
    std::string szHost;
    int nPort = CTZorbitConfig::kDefaultPort;
    CTZorbitConfig::GetHTTPServerNameAndPort(nServerID, szHost, nPort);
    if (szHost.empty()) return false;
    szURL = BuildURL(szHost, nPort, szRelative);
    return true;
}

// A read-only descriptor closed at the end of its scope.
class CTReadFile {
public:
    explicit CTReadFile(const std::string& szName) : v_fd(::open(szName.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~CTReadFile() {
        if (v_fd >= 0) ::close(v_fd);
    }
    CTReadFile(const CTReadFile&) = delete;
    CTReadFile& operator=(const CTReadFile&) = delete;

    // The size of a regular file, 0 for anything else.
    std::uint64_t Size() const {
        struct stat st {};
        if (v_fd < 0 || ::fstat(v_fd, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
        return static_cast<std::uint64_t>(st.st_size);
    }
    std::ptrdiff_t Read(char* pBuffer, std::size_t nCount) const {
        for (;;) {
            const ssize_t n = ::read(v_fd, pBuffer, nCount);
            if (n >= 0 || errno != EINTR) return n;
        }
    }

private:
    int v_fd;
};

}  // namespace

void CTMyBSClass::OnProgress(std::uint64_t ulProgress, std::uint64_t ulProgressMax, std::uint32_t,
                             std::string_view) const {
    if (v_progIndic && ulProgress > 0 && ulProgressMax > 0 && ulProgressMax >= ulProgress)
        v_progIndic(static_cast<std::int32_t>(std::min<std::uint64_t>(ulProgress, INT32_MAX)));
}

std::unique_ptr<CTInternetSession> CTZorbitIntegration::StartInternetSession() {
    try {
        return CTInternetSession::Open();
    } catch (...) {
        return nullptr;
    }
}

bool CTZorbitIntegration::GetStringFromInternet(int nZorbitServerID, std::string_view szScriptRelativeURL,
                                                std::string& szReadStr) {
    szReadStr.clear();
    try {
        std::string szURL;
        if (!ServerURL(nZorbitServerID, szScriptRelativeURL, szURL)) return false;
        const auto pSession = CTInternetSession::Open();
        if (!pSession) return false;
        std::string szAnswer;
        const TBodySink sink = [&szAnswer](const char* pData, std::size_t nCount) {
            szAnswer.append(pData, nCount);
            return true;
        };
        if (!pSession->Get(szURL, kMaxTextAnswer, sink, {}).Succeeded()) return false;
        szReadStr = std::move(szAnswer);
        return true;
    } catch (...) {
        szReadStr.clear();
        return false;
    }
}

bool CTZorbitIntegration::GetFileFromInternet(int nZorbitServerID, std::string_view szFileRelativeURL,
                                              const std::string& szLocalFileName, std::int64_t nExpectedSize,
                                              const CTZorbitDownloadProgressIndicator& pProgIndic) {
    try {
        std::string szURL;
        if (!ServerURL(nZorbitServerID, DownloadScriptURL(szFileRelativeURL, nZorbitServerID), szURL)) return false;
        const auto pSession = CTInternetSession::Open();
        if (!pSession) return false;
        // Written beside the target and renamed over it only when complete.
        platform::CTAtomicFileWriter file(szLocalFileName);
        const TBodySink sink = [&file](const char* pData, std::size_t nCount) {
            try {
                file.Write(pData, nCount);
                return true;
            } catch (const platform::CTFileError&) {
                return false;
            }
        };
        const CTMyBSClass status(pProgIndic);
        const TTransferProgress progress = [&status](std::uint64_t nNow, std::uint64_t nTotal) {
            status.OnProgress(nNow, nTotal, 0, {});
        };
        const std::uint64_t nLimit =
            nExpectedSize > 0 ? static_cast<std::uint64_t>(nExpectedSize) : kMaxUnlistedDownload;
        if (!pSession->Get(szURL, nLimit, sink, progress).Succeeded()) return false;
        file.Commit();
        return true;
    } catch (...) {
        return false;
    }
}

bool CTZorbitIntegration::SaveFileToInternet(CTInternetSession* hSession, int nZorbitServerID,
                                             std::string_view szFileRelativeURL, const std::string& szLocalFileName,
                                             const CTZorbitDownloadProgressIndicator&) {
    try {
        std::string szURL;
        if (hSession == nullptr ||
            !ServerURL(nZorbitServerID,
                       "scripts/zorbit_receive_file.asp?target=" + EncodeQueryValue(szFileRelativeURL), szURL))
            return false;
        for (int nAttempt = 1; nAttempt <= kUploadAttempts; ++nAttempt) {
            const CTReadFile file(szLocalFileName);
            const std::uint64_t nSize = file.Size();
            if (nSize == 0) return false;
            const TBodySource source = [&file](char* pBuffer, std::size_t nCount) {
                return file.Read(pBuffer, nCount);
            };
            const THttpResult result = hSession->Post(szURL, nSize, source);
            if (result.outcome != THttpOutcome::EndedBeforeStatus) return result.Succeeded();
        }
        return false;
    } catch (...) {
        return false;
    }
}

std::string CTZorbitIntegration::GetCentralDbStructureVersionFromResource() {
    try {
        return ExpectedStructureVersion("Device_Database_Ref", "Device_Database");
    } catch (...) {
        return {};
    }
}

std::string CTZorbitIntegration::GetCompanyDbStructureVersionFromResource() {
    try {
        return ExpectedStructureVersion("Company_Database_Ref", "Company_Database_RO");
    } catch (...) {
        return {};
    }
}

}  // namespace brumalis::online
