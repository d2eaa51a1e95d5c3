#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/resources.h"

namespace brumalis::platform {
namespace {

std::string ReadFile(const char* szPath) {
    std::ifstream in(szPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// platform_tests embeds data/controllers.edi as "Controllers_Edi" and the
// empty data/empty.bin as "EMPTY_BLOB".

TEST(EmbeddedBlob, HoldsTheFileExactlyUnderAnyCaseOfItsName) {
    const std::string szFile = ReadFile(BRUMALIS_CONTROLLERS_EDI);
    ASSERT_NE(szFile.find("\r\n"), std::string::npos) << "the sample must keep its CR LF line ends";

    const auto blob = FindBlob("CONTROLLERS_EDI");
    ASSERT_TRUE(blob.has_value());
    EXPECT_EQ(*blob, szFile);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blob->data()) % 16, 0u);
    for (const char* szName : {"controllers_edi", "Controllers_Edi", "cONTROLLERS_eDI"}) {
        const auto same = FindBlob(szName);
        ASSERT_TRUE(same.has_value()) << szName;
        EXPECT_EQ(same->data(), blob->data()) << szName;
        EXPECT_EQ(same->size(), blob->size()) << szName;
    }
}

TEST(EmbeddedBlob, EmptyFileIsFoundWithNoBytes) {
    const auto blob = FindBlob("empty_blob");
    ASSERT_TRUE(blob.has_value());
    EXPECT_EQ(blob->size(), 0u);
}

TEST(EmbeddedBlob, UnknownNamesAreNotFound) {
    EXPECT_EQ(FindBlob(""), std::nullopt);
    EXPECT_EQ(FindBlob("CONTROLLERS"), std::nullopt);
    EXPECT_EQ(FindBlob("CONTROLLERS_EDI_"), std::nullopt);
    EXPECT_EQ(FindBlob("XCONTROLLERS_EDI"), std::nullopt);
    // '_' and DEL differ only in the bit that flips ASCII case.
    EXPECT_EQ(FindBlob("CONTROLLERS\x7F" "EDI"), std::nullopt);
}

TEST(BlobRegistry, LaterRegistrationOfTheSameNameReplacesIgnoringCase) {
    RegisterBlob("Test_Replaced", "first");
    RegisterBlob("TEST_REPLACED", "second");
    EXPECT_EQ(FindBlob("test_replaced"), "second");
    EXPECT_EQ(FindBlob("CONTROLLERS_EDI"), ReadFile(BRUMALIS_CONTROLLERS_EDI)) << "other blobs stay";
}

TEST(BlobRegistry, KeepsItsOwnCopyOfTheName) {
    {
        std::string szName = "Test_Copied";
        RegisterBlob(szName, "bytes");
        szName = "overwritten";
    }
    EXPECT_EQ(FindBlob("TEST_COPIED"), "bytes");
}

}  // namespace
}  // namespace brumalis::platform
