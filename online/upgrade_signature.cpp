#include "online/upgrade_signature.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "online/online_config.h"

namespace brumalis::online {
namespace {

struct TKeyFree {
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};
struct TMdCtxFree {
    void operator()(EVP_MD_CTX* p) const { EVP_MD_CTX_free(p); }
};
using TKey = std::unique_ptr<EVP_PKEY, TKeyFree>;
using TMdCtx = std::unique_ptr<EVP_MD_CTX, TMdCtxFree>;

const auto* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

bool HasSeparator(std::string_view s) { return s.find_first_of("\t\r\n") != std::string_view::npos; }

struct TFileFacts {
    std::int64_t nSize = 0;
    std::string szSha256Hex;
};

// Size and digest of a regular file, read through one descriptor.
std::optional<TFileFacts> ReadFacts(const std::string& szFileName) {
    const int fd = ::open(szFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::optional<TFileFacts> facts;
    struct stat st {};
    TMdCtx ctx(EVP_MD_CTX_new());
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ctx && EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr)) {
        std::array<char, 65536> buffer{};
        std::int64_t nTotal = 0;
        ssize_t n = 0;
        bool bOk = true;
        while (bOk && (n = ::read(fd, buffer.data(), buffer.size())) != 0) {
            if (n < 0) {
                bOk = errno == EINTR;
                continue;
            }
            nTotal += n;
            bOk = EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<std::size_t>(n)) == 1;
        }
        std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
        unsigned int nLen = 0;
        if (bOk && EVP_DigestFinal_ex(ctx.get(), digest.data(), &nLen) == 1) {
            facts = TFileFacts{nTotal, ToHex(std::string_view(reinterpret_cast<const char*>(digest.data()), nLen))};
        }
    }
    ::close(fd);
    return facts;
}

bool Verify(std::string_view szMessage, std::string_view szSignature, std::string_view szPublicKey) {
    if (szSignature.size() != kSignatureSize || szPublicKey.size() != kKeySize) return false;
    TKey key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, Bytes(szPublicKey), szPublicKey.size()));
    TMdCtx ctx(EVP_MD_CTX_new());
    return key && ctx && EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
           EVP_DigestVerify(ctx.get(), Bytes(szSignature), szSignature.size(), Bytes(szMessage), szMessage.size()) == 1;
}

TKey PrivateKey(std::string_view szPrivate) {
    if (szPrivate.size() != kKeySize) return nullptr;
    return TKey(EVP_PKEY_new_raw_private_key(EVP_PKEY_ED25519, nullptr, Bytes(szPrivate), szPrivate.size()));
}

std::optional<std::string> RawPublicKey(EVP_PKEY* pKey) {
    std::string szPublic(kKeySize, '\0');
    std::size_t nLen = szPublic.size();
    if (EVP_PKEY_get_raw_public_key(pKey, reinterpret_cast<unsigned char*>(szPublic.data()), &nLen) != 1 ||
        nLen != kKeySize)
        return std::nullopt;
    return szPublic;
}

}  // namespace

std::optional<std::string> SignedMessage(const TSignedListing& listing, std::string_view szSha256Hex) {
    if (HasSeparator(listing.szPath) || HasSeparator(listing.szConfig) || HasSeparator(szSha256Hex))
        return std::nullopt;
    std::string szMessage(kSignatureDomain);
    for (const std::string& field :
         {listing.szPath, std::to_string(listing.nVersion), listing.szConfig, std::to_string(listing.nLanguage),
          std::to_string(listing.nDataVersion), std::to_string(listing.nSize), std::string(szSha256Hex)}) {
        szMessage += '\t';
        szMessage += field;
    }
    return szMessage;
}

std::string Sha256Hex(std::string_view bytes) {
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int nLen = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &nLen, EVP_sha256(), nullptr) != 1) return {};
    return ToHex(std::string_view(reinterpret_cast<const char*>(digest.data()), nLen));
}

std::optional<std::string> FileSha256Hex(const std::string& szFileName) {
    const auto facts = ReadFacts(szFileName);
    if (!facts) return std::nullopt;
    return facts->szSha256Hex;
}

std::string ToHex(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string szHex;
    szHex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        szHex += kHex[b >> 4];
        szHex += kHex[b & 0x0F];
    }
    return szHex;
}

std::optional<std::string> FromHex(std::string_view szHex) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (szHex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(szHex.size() / 2);
    for (std::size_t i = 0; i < szHex.size(); i += 2) {
        const int hi = digit(szHex[i]);
        const int lo = digit(szHex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes += static_cast<char>(hi * 16 + lo);
    }
    return bytes;
}

std::vector<std::string> BuildPublicKeys() {
    std::vector<std::string> keys;
    for (const char* szHex : {BRUMALIS_UPGRADE_PUBLIC_KEYS}) {
        if (const auto key = FromHex(szHex); key && key->size() == kKeySize) keys.push_back(*key);
    }
    return keys;
}

bool VerifyUpgradeFile(const std::string& szFileName, const TSignedListing& listing, std::string_view szSignature,
                       const std::vector<std::string>& publicKeys) {
    const auto facts = ReadFacts(szFileName);
    if (!facts || facts->nSize != listing.nSize) return false;
    const auto szMessage = SignedMessage(listing, facts->szSha256Hex);
    if (!szMessage) return false;
    for (const std::string& key : publicKeys) {
        if (Verify(*szMessage, szSignature, key)) return true;
    }
    return false;
}

std::optional<TKeyPair> GenerateKeyPair() {
    TKeyPair pair;
    pair.szPrivate.assign(kKeySize, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(pair.szPrivate.data()), static_cast<int>(kKeySize)) != 1)
        return std::nullopt;
    const auto szPublic = PublicKeyOf(pair.szPrivate);
    if (!szPublic) return std::nullopt;
    pair.szPublic = *szPublic;
    return pair;
}

std::optional<std::string> PublicKeyOf(std::string_view szPrivate) {
    const TKey key = PrivateKey(szPrivate);
    if (!key) return std::nullopt;
    return RawPublicKey(key.get());
}

std::optional<std::string> SignUpgradeFile(const std::string& szFileName, TSignedListing listing,
                                           std::string_view szPrivate) {
    const auto facts = ReadFacts(szFileName);
    const TKey key = PrivateKey(szPrivate);
    if (!facts || !key) return std::nullopt;
    listing.nSize = facts->nSize;
    const auto szMessage = SignedMessage(listing, facts->szSha256Hex);
    TMdCtx ctx(EVP_MD_CTX_new());
    if (!szMessage || !ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return std::nullopt;
    std::string szSignature(kSignatureSize, '\0');
    std::size_t nLen = szSignature.size();
    if (EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(szSignature.data()), &nLen, Bytes(*szMessage),
                       szMessage->size()) != 1 ||
        nLen != kSignatureSize)
        return std::nullopt;
    return szSignature;
}

}  // namespace brumalis::online
