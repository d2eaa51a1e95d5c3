// Where the web service of each server number lives, and the URLs of its
// scripts.
#pragma once

#include <string>
#include <string_view>

namespace brumalis::online {

class CTZorbitConfig {
public:
    CTZorbitConfig() = delete;

    static constexpr int kDefaultPort = 80;
    // The machine hive's key that may override the build's hosts: a value
    // "Server<n>" holds "host" or "host:port".
    static constexpr std::string_view kOverrideKey = "Software\\Orvane\\Brumalis\\Online";

    // Servers 0, 1, 2 and 10 have a host (the build's, unless the machine
    // hive overrides it) and port 80 unless overridden; any other number, a
    // malformed override or an empty build host answer an empty host name.
    static void GetHTTPServerNameAndPort(int nServerID, std::string& szServerName, int& nPort);
};

// "http://" + host, ":" + port only when it is not 80, "/" + relative path.
std::string BuildURL(std::string_view szHost, int nPort, std::string_view szRelativePath);

// A query value as the service expects it: letters, digits and "/._-~:" byte
// for byte, every other byte as "%XX", so that a value can never add or cut
// off query keys.
std::string EncodeQueryValue(std::string_view szValue);

// The download script's relative URL for a file path on the server ("\"
// turned into "/").
std::string DownloadScriptURL(std::string_view szFileRelativeURL, int nServerID);
// The file path as the download script receives it: every "\" turned into "/".
std::string ServerFilePath(std::string_view szFileRelativeURL);

}  // namespace brumalis::online
