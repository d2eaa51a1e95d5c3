// The shipped catalogue as the coder's real input: its stored token stream
// must be exactly what the coder makes of its text today, so a faster match
// finder cannot change a single bit of what is saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bench/reference_lzss.h"
#include "objectstore/compressed_container.h"
#include "objectstore/lzss.h"
#include "platform/resources.h"

namespace brumalis {
namespace {

constexpr std::string_view kSignature = "QXZ";

struct TCatalogue {
    std::string_view stored;  // signature and token stream as embedded
    std::string text;         // the expanded EDI text
};

const TCatalogue& Catalogue() {
    static const TCatalogue catalogue = [] {
        TCatalogue c;
        const auto blob = platform::FindBlob("DEVICE_DATABASE");
        if (!blob) return c;
        c.stored = *blob;
        CTByteViewStream raw(c.stored);
        const auto payload = OpenContainerPayload(raw, TCompressionSettings{true, std::string(kSignature)});
        std::string block(1 << 16, '\0');
        for (std::size_t n = 1; n > 0;) {
            n = payload->Read(block.data(), block.size());
            c.text.append(block, 0, n);
        }
        return c;
    }();
    return catalogue;
}

testing::AssertionResult SameBytes(std::string_view actual, std::string_view expected) {
    if (actual == expected) return testing::AssertionSuccess();
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << (diff.first - actual.begin());
}

TEST(LzssCatalogue, RecompressedTextEqualsTheStoredTokens) {
    const TCatalogue& c = Catalogue();
    ASSERT_GT(c.stored.size(), kSignature.size()) << "the catalogue is embedded";
    ASSERT_EQ(c.stored.substr(0, kSignature.size()), kSignature);
    ASSERT_GT(c.text.size(), std::size_t{1} << 20) << "the catalogue expands to its text";
    const std::string_view tokens = c.stored.substr(kSignature.size());
    EXPECT_TRUE(SameBytes(LzssCompress(c.text), tokens));

    // Through the container writer, written in pieces as the database writer does.
    CTMemoryStream out;
    CTContainerWriter writer(out, TCompressionSettings{true, std::string(kSignature)});
    for (std::size_t i = 0; i < c.text.size(); i += 5000) {
        writer.Payload().WriteAll(std::string_view(c.text).substr(i, 5000));
    }
    writer.Finish();
    EXPECT_TRUE(SameBytes(out.Data(), c.stored));
}

// The textbook encoder is slow, so it checks a window-wrapping slice of the
// catalogue, taken from its middle where the keys are dense.
TEST(LzssCatalogue, SliceMatchesTextbookEncoder) {
    const std::string& text = Catalogue().text;
    ASSERT_GT(text.size(), std::size_t{1} << 20);
    const std::string slice = text.substr(text.size() / 2, 300000);
    EXPECT_TRUE(SameBytes(LzssCompress(slice), bench::ReferenceCompress(slice)));
}

}  // namespace
}  // namespace brumalis
