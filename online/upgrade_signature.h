// Detached Ed25519 signatures of published upgrade files. A signature
// covers, joined by TAB:
//
//   "BRUMALIS-UPGRADE-1", the path as requested from the download script
//   ("/" separators), the listed program version, configuration, language
//   and catalogue version (decimal; 0, empty, 0 and 0 for the updater), the
//   listed size in bytes and the file's SHA-256 (64 lower-case hex digits).
//
// So a signature fits one file at one listed place only: it cannot be
// replayed for another entry, another version or another size. The
// signature file is the 64 raw signature bytes, published as "<path>.sig".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::online {

inline constexpr std::string_view kSignatureDomain = "BRUMALIS-UPGRADE-1";
inline constexpr std::string_view kSignatureSuffix = ".sig";
inline constexpr std::size_t kSignatureSize = 64;
inline constexpr std::size_t kKeySize = 32;

// What a signature vouches for besides the file's bytes.
struct TSignedListing {
    std::string szPath;
    int nVersion = 0;
    std::string szConfig;
    std::uint32_t nLanguage = 0;
    int nDataVersion = 0;
    std::int64_t nSize = 0;
};

// The bytes signed for a listing and a file digest; nothing when a text
// field holds a TAB or a line end (no list line can).
std::optional<std::string> SignedMessage(const TSignedListing& listing, std::string_view szSha256Hex);

// SHA-256 of bytes as hex.
std::string Sha256Hex(std::string_view bytes);
// SHA-256 of a file's content as hex; nothing when it cannot be read.
std::optional<std::string> FileSha256Hex(const std::string& szFileName);

std::string ToHex(std::string_view bytes);
// Nothing unless the text is an even number of hex digits.
std::optional<std::string> FromHex(std::string_view szHex);

// The build's public keys (raw 32 bytes each).
std::vector<std::string> BuildPublicKeys();

// True when the file has exactly the listed size and szSignature is a valid
// signature of it and the listing by one of the keys.
bool VerifyUpgradeFile(const std::string& szFileName, const TSignedListing& listing, std::string_view szSignature,
                       const std::vector<std::string>& publicKeys);

struct TKeyPair {
    std::string szPrivate;  // the 32-byte seed
    std::string szPublic;   // 32 bytes
};
// Nothing when the crypto library fails.
std::optional<TKeyPair> GenerateKeyPair();
std::optional<std::string> PublicKeyOf(std::string_view szPrivate);
// The signature of a file for a listing (its size taken from the file).
std::optional<std::string> SignUpgradeFile(const std::string& szFileName, TSignedListing listing,
                                           std::string_view szPrivate);

}  // namespace brumalis::online
