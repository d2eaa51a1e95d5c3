#include "online/zorbit_config.h"

#include <charconv>
#include <optional>

#include "online/online_config.h"
#include "platform/settings_store.h"

namespace brumalis::online {
namespace {

struct TEndpoint {
    std::string szHost;
    int nPort = CTZorbitConfig::kDefaultPort;
};

const char* BuildHost(int nServerID) {
    switch (nServerID) {
        case 0: return BRUMALIS_ONLINE_HOST_0;
        case 1: return BRUMALIS_ONLINE_HOST_1;
        case 2: return BRUMALIS_ONLINE_HOST_2;
        case 10: return BRUMALIS_ONLINE_HOST_10;
        default: return nullptr;
    }
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// "host" or "host:port"; nothing when the host holds anything but a host
// name's characters (which could smuggle a user or a path into the URL) or
// the port is not 1 … 65535.
std::optional<TEndpoint> ParseEndpoint(std::string_view szText) {
    TEndpoint endpoint;
    const std::size_t colon = szText.find(':');
    const std::string_view host = szText.substr(0, colon);
    if (host.empty()) return std::nullopt;
    for (const char c : host) {
        if (!IsHostCharacter(c)) return std::nullopt;
    }
    endpoint.szHost = host;
    if (colon != std::string_view::npos) {
        const std::string_view port = szText.substr(colon + 1);
        const auto [pEnd, ec] = std::from_chars(port.data(), port.data() + port.size(), endpoint.nPort);
        if (ec != std::errc() || pEnd != port.data() + port.size() || endpoint.nPort < 1 || endpoint.nPort > 65535)
            return std::nullopt;
    }
    return endpoint;
}

}  // namespace

void CTZorbitConfig::GetHTTPServerNameAndPort(int nServerID, std::string& szServerName, int& nPort) {
    szServerName.clear();
    nPort = kDefaultPort;
    const char* szBuildHost = BuildHost(nServerID);
    if (szBuildHost == nullptr) return;
    std::string szConfigured = szBuildHost;
    try {
        const std::string szName = "Server" + std::to_string(nServerID);
        szConfigured = platform::Registry().LocalMachine().ReadString(kOverrideKey, szName, szConfigured);
    } catch (...) {
        // An unreadable machine hive leaves the build's host.
    }
    if (const auto endpoint = ParseEndpoint(szConfigured)) {
        szServerName = endpoint->szHost;
        nPort = endpoint->nPort;
    }
}

std::string BuildURL(std::string_view szHost, int nPort, std::string_view szRelativePath) {
    std::string szURL = "http://";
    szURL += szHost;
    if (nPort != CTZorbitConfig::kDefaultPort) szURL += ':' + std::to_string(nPort);
    szURL += '/';
    szURL += szRelativePath;
    return szURL;
}

std::string EncodeQueryValue(std::string_view szValue) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string szOut;
    szOut.reserve(szValue.size());
    for (const char c : szValue) {
        if (IsHostCharacter(c) || c == '/' || c == '_' || c == '~' || c == ':') {
            szOut += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            szOut += '%';
            szOut += kHex[b >> 4];
            szOut += kHex[b & 0x0F];
        }
    }
    return szOut;
}

std::string ServerFilePath(std::string_view szFileRelativeURL) {
    std::string szPath(szFileRelativeURL);
    for (char& c : szPath) {
        if (c == '\\') c = '/';
    }
    return szPath;
}

std::string DownloadScriptURL(std::string_view szFileRelativeURL, int nServerID) {
    return "scripts/zorbit_download_file.asp?file=" + EncodeQueryValue(ServerFilePath(szFileRelativeURL)) +
           "&server=" + std::to_string(nServerID);
}

}  // namespace brumalis::online
