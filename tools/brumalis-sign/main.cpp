// brumalis-sign: the publisher's tool for the signatures that the upgrade
// checks before it runs anything it downloaded. See docs/publishing.md.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "online/upgrade_signature.h"
#include "online/zorbit_config.h"
#include "platform/atomic_file.h"
#include "platform/build_identity.h"

namespace {

using namespace brumalis::online;
using brumalis::platform::CTVersionUtils;

constexpr const char* kUsage =
    "Usage:\n"
    "  brumalis-sign keygen KEYFILE\n"
    "      Makes a new key: the private key goes to KEYFILE (mode 0600, never\n"
    "      overwritten), the public key to standard output, as hexadecimal text\n"
    "      for BRUMALIS_UPGRADE_PUBLIC_KEYS.\n"
    "  brumalis-sign public KEYFILE\n"
    "      Prints the public key of KEYFILE.\n"
    "  brumalis-sign sign KEYFILE FILE PATH [--version V] [--config C] [--language L]\n"
    "                     [--data-version D]\n"
    "      Writes FILE.sig, the signature of FILE published at the server path PATH\n"
    "      with the version-list values given (versions dotted as in the list;\n"
    "      the defaults 0, empty, 0 and 0 are the updater's). The size is FILE's.\n"
    "  brumalis-sign --help\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage.\n";

class CTUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class CTFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ReadPrivateKey(const std::string& szFile) {
    std::ifstream in(szFile);
    std::string szHex;
    if (!(in >> szHex)) throw CTFailure(szFile + ": cannot read the key file");
    const auto key = FromHex(szHex);
    if (!key || key->size() != kKeySize) throw CTFailure(szFile + ": not a private key of brumalis-sign");
    return *key;
}

void KeyGen(const std::string& szFile) {
    const auto pair = GenerateKeyPair();
    if (!pair) throw CTFailure("the crypto library cannot make a key");
    const int fd = ::open(szFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throw CTFailure(szFile + ": " + std::strerror(errno));
    const std::string szText = ToHex(pair->szPrivate) + '\n';
    const bool bOk = ::write(fd, szText.data(), szText.size()) == static_cast<ssize_t>(szText.size()) && ::fsync(fd) == 0;
    ::close(fd);
    if (!bOk) {
        ::unlink(szFile.c_str());
        throw CTFailure(szFile + ": cannot write the key");
    }
    std::cout << ToHex(pair->szPublic) << '\n';
}

void PrintPublic(const std::string& szFile) {
    const auto szPublic = PublicKeyOf(ReadPrivateKey(szFile));
    if (!szPublic) throw CTFailure(szFile + ": not a private key of brumalis-sign");
    std::cout << ToHex(*szPublic) << '\n';
}

int Number(const std::string& szOption, const std::string& szText) {
    std::uint32_t n = 0;
    const auto [pEnd, ec] = std::from_chars(szText.data(), szText.data() + szText.size(), n);
    if (ec != std::errc() || pEnd != szText.data() + szText.size() || n > INT32_MAX)
        throw CTUsageError(szOption + " needs a decimal number, not '" + szText + "'");
    return static_cast<int>(n);
}

int Version(const std::string& szOption, const std::string& szText) {
    const int nVersion = CTVersionUtils::String2Version(szText);
    if (nVersion == 0 && szText != "0") throw CTUsageError(szOption + " needs a dotted version, not '" + szText + "'");
    return nVersion;
}

void Sign(const std::vector<std::string>& args) {
    if (args.size() < 4 || args.size() % 2 != 0) throw CTUsageError("sign needs KEYFILE FILE PATH and option values");
    TSignedListing listing;
    listing.szPath = ServerFilePath(args[3]);
    for (std::size_t i = 4; i < args.size(); i += 2) {
        const std::string& szOption = args[i];
        const std::string& szValue = args[i + 1];
        if (szOption == "--version") listing.nVersion = Version(szOption, szValue);
        else if (szOption == "--config") listing.szConfig = szValue;
        else if (szOption == "--language") listing.nLanguage = static_cast<std::uint32_t>(Number(szOption, szValue));
        else if (szOption == "--data-version") listing.nDataVersion = Version(szOption, szValue);
        else throw CTUsageError("unknown option '" + szOption + "'");
    }
    const std::string& szFile = args[2];
    const auto signature = SignUpgradeFile(szFile, listing, ReadPrivateKey(args[1]));
    if (!signature) throw CTFailure(szFile + ": cannot sign (unreadable file, or a TAB or line end in a value)");
    try {
        brumalis::platform::CTAtomicFileWriter out(szFile + std::string(kSignatureSuffix));
        out.Write(signature->data(), signature->size());
        out.Commit();
    } catch (const brumalis::platform::CTFileError& e) {
        throw CTFailure(e.what());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 1 && args[0] == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (args.size() == 2 && args[0] == "keygen") KeyGen(args[1]);
        else if (args.size() == 2 && args[0] == "public") PrintPublic(args[1]);
        else if (!args.empty() && args[0] == "sign") Sign(args);
        else throw CTUsageError("unknown command");
        return 0;
    } catch (const CTUsageError& e) {
        std::cerr << "brumalis-sign: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "brumalis-sign: " << e.what() << '\n';
        return 1;
    }
}
