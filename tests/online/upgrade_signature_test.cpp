// Signatures of published files: what they cover, that any change to the
// file or its listing breaks them, and that the publisher's tool writes
// signatures the client accepts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "online/upgrade_signature.h"
#include "online_fixture.h"

namespace brumalis::online::testing {
namespace {

class Signatures : public ::testing::Test {
protected:
    void SetUp() override {
        m_key = *GenerateKeyPair();
        m_file = m_scratch / "Brumalis";
        WriteFile(m_file, "new program bytes");
        m_listing = {"ru/Brumalis-335", 335, "Marine", 1049, 336, 17};
    }
    bool Verify(const TSignedListing& listing, const std::string& szSignature) const {
        return VerifyUpgradeFile(m_file, listing, szSignature, {m_key.szPublic});
    }

    CTPrivateFolder m_scratch;
    TKeyPair m_key;
    std::string m_file;
    TSignedListing m_listing;
};

TEST_F(Signatures, CoverTheDomainTheListingTheSizeAndTheDigest) {
    const auto szMessage = SignedMessage(m_listing, "ab12");
    ASSERT_TRUE(szMessage);
    EXPECT_EQ(*szMessage, "BRUMALIS-UPGRADE-1\tru/Brumalis-335\t335\tMarine\t1049\t336\t17\tab12");
    // No field can run into the next.
    EXPECT_FALSE(SignedMessage({"a\tb", 1, "", 0, 0, 1}, "ab"));
    EXPECT_FALSE(SignedMessage({"a", 1, "x\ny", 0, 0, 1}, "ab"));
    EXPECT_EQ(FileSha256Hex(m_file), Sha256Hex("new program bytes"));
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST_F(Signatures, VerifyOnlyTheSignedFileAtItsListing) {
    const auto signature = SignUpgradeFile(m_file, m_listing, m_key.szPrivate);
    ASSERT_TRUE(signature);
    ASSERT_EQ(signature->size(), kSignatureSize);
    EXPECT_TRUE(Verify(m_listing, *signature));
    auto changed = [this](auto edit) {
        TSignedListing listing = m_listing;
        edit(listing);
        return listing;
    };
    EXPECT_FALSE(Verify(changed([](auto& l) { l.szPath = "ru/Brumalis-336"; }), *signature));
    EXPECT_FALSE(Verify(changed([](auto& l) { l.nVersion = 336; }), *signature));
    EXPECT_FALSE(Verify(changed([](auto& l) { l.szConfig = ""; }), *signature));
    EXPECT_FALSE(Verify(changed([](auto& l) { l.nLanguage = 1033; }), *signature));
    EXPECT_FALSE(Verify(changed([](auto& l) { l.nDataVersion = 337; }), *signature));
    EXPECT_FALSE(Verify(changed([](auto& l) { l.nSize = 18; }), *signature));
    std::string bent = *signature;
    bent[10] ^= 0x20;
    EXPECT_FALSE(Verify(m_listing, bent));
    EXPECT_FALSE(Verify(m_listing, signature->substr(0, 63)));
    EXPECT_FALSE(Verify(m_listing, ""));
    EXPECT_FALSE(VerifyUpgradeFile(m_file, m_listing, *signature, {}));
    EXPECT_FALSE(VerifyUpgradeFile(m_file, m_listing, *signature, {GenerateKeyPair()->szPublic}));
    // Any key of the build's list will do, for a key being rotated.
    EXPECT_TRUE(VerifyUpgradeFile(m_file, m_listing, *signature, {GenerateKeyPair()->szPublic, m_key.szPublic}));
    WriteFile(m_file, "new program byteZ");
    EXPECT_FALSE(Verify(m_listing, *signature));
    EXPECT_FALSE(VerifyUpgradeFile(m_scratch / "missing", m_listing, *signature, {m_key.szPublic}));
}

TEST_F(Signatures, HexTextRoundTripsAndRefusesOtherText) {
    EXPECT_EQ(ToHex(std::string("\x00\xff\x10", 3)), "00ff10");
    EXPECT_EQ(FromHex("00FF10"), std::string("\x00\xff\x10", 3));
    EXPECT_FALSE(FromHex("0"));
    EXPECT_FALSE(FromHex("0g"));
    EXPECT_EQ(PublicKeyOf(m_key.szPrivate), m_key.szPublic);
    EXPECT_FALSE(PublicKeyOf("short"));
}

// Runs the tool, standard output into a file; answers its exit status.
int RunTool(const std::string& szArguments, const std::string& szOutput) {
    const std::string szCommand = std::string(BRUMALIS_SIGN_TOOL) + ' ' + szArguments + " >" + szOutput + " 2>&1";
    const int rc = std::system(szCommand.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST_F(Signatures, ThePublishersToolWritesSignaturesTheClientAccepts) {
    const std::string szKey = m_scratch / "upgrade.key";
    const std::string szOut = m_scratch / "out.txt";
    ASSERT_EQ(RunTool("keygen " + szKey, szOut), 0);
    const auto szPublic = FromHex(ReadFile(szOut).substr(0, 64));
    ASSERT_TRUE(szPublic);
    EXPECT_EQ(RunTool("keygen " + szKey, szOut), 1) << "an existing key is never overwritten";
    ASSERT_EQ(RunTool("sign " + szKey + ' ' + m_file +
                          " 'ru\\Brumalis-335' --version 3.3.5 --config Marine --language 1049 --data-version 3.3.6",
                      szOut),
              0)
        << ReadFile(szOut);
    EXPECT_TRUE(VerifyUpgradeFile(m_file, m_listing, ReadFile(m_file + ".sig"), {*szPublic}));
    ASSERT_EQ(RunTool("sign " + szKey + ' ' + m_file + " Updater.exe", szOut), 0);
    EXPECT_TRUE(VerifyUpgradeFile(m_file, {"Updater.exe", 0, "", 0, 0, 17}, ReadFile(m_file + ".sig"), {*szPublic}));
    EXPECT_EQ(RunTool("sign " + szKey + ' ' + m_file + " P --version x.y", szOut), 2);
    EXPECT_EQ(RunTool("sign " + szKey + ' ' + m_file + " P --colour red", szOut), 2);
    EXPECT_EQ(RunTool("sign " + szKey + ' ' + (m_scratch / "missing") + " P", szOut), 1);
    EXPECT_EQ(RunTool("", szOut), 2);
    EXPECT_EQ(RunTool("--help", szOut), 0);
}

}  // namespace
}  // namespace brumalis::online::testing
