#include "objectstore/compressed_container.h"

#include <gtest/gtest.h>

#include "bench/edi_like_text.h"

namespace brumalis {
namespace {

const TCompressionSettings kOn{true, "QXZ"};
const TCompressionSettings kOff{false, "QXZ"};
const TCompressionSettings kOnNoSignature{true, ""};

std::string WriteContainer(std::string_view payload, const TCompressionSettings& settings, bool bFinish = true) {
    CTMemoryStream raw;
    {
        CTContainerWriter writer(raw, settings);
        writer.Payload().WriteAll(payload);
        if (bFinish) writer.Finish();
    }
    return raw.TakeData();
}

std::string ReadContainer(std::string_view bytes, const TCompressionSettings& settings) {
    CTByteViewStream raw(bytes);
    return ReadWholeStream(*OpenContainerPayload(raw, settings));
}

TEST(Container, CompressedLayoutRoundTrips) {
    const std::string payload = bench::MakeEdiLikeText(50000);
    for (const std::string& text : {payload, std::string()}) {
        const std::string raw = WriteContainer(text, kOn);
        EXPECT_EQ(raw, "QXZ" + LzssCompress(text));
        EXPECT_EQ(WriteContainer(text, kOn, false), raw) << "destroying the writer finishes it";
        EXPECT_EQ(ReadContainer(raw, kOn), text);
    }
}

TEST(Container, CompressionOffIsPlainBothWays) {
    const std::string container = WriteContainer("5 4 Name\r\n", kOn);
    EXPECT_EQ(WriteContainer("5 4 Name\r\n", kOff), "5 4 Name\r\n");
    EXPECT_EQ(ReadContainer(container, kOff), container);
}

TEST(Container, AnythingButTheFullSignatureReadsPlainFromTheFirstByte) {
    for (const char* plain : {"QXa 5 4 Name", "QX", "Q", "", "XQZ", "qXZ rest"}) {
        EXPECT_EQ(ReadContainer(plain, kOn), plain);
    }
}

TEST(Container, EmptySignatureExpandsEveryStream) {
    const std::string raw = WriteContainer("Chiller Chiller Chiller", kOnNoSignature);
    EXPECT_EQ(raw, LzssCompress("Chiller Chiller Chiller"));
    EXPECT_EQ(ReadContainer(raw, kOnNoSignature), "Chiller Chiller Chiller");
    EXPECT_EQ(ReadContainer("EDI100", kOnNoSignature), LzssExpand("EDI100"));
}

TEST(Container, DetectionStartsAtTheCurrentPosition) {
    const std::string container = WriteContainer("payload", kOn);
    const std::pair<std::string, std::string> cases[] = {{container, "payload"}, {"QXa plain", "QXa plain"}};
    for (const auto& [body, expected] : cases) {
        const std::string bytes = "HDR" + body;
        CTByteViewStream raw(bytes);
        ASSERT_EQ(raw.Seek(3, SeekOrigin::Begin), 3);
        EXPECT_EQ(ReadWholeStream(*OpenContainerPayload(raw, kOn)), expected);
    }
}

// A pipe-like stream that cannot go back.
class CTForwardOnlyStream : public CTByteViewStream {
public:
    using CTByteViewStream::CTByteViewStream;
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }
};

TEST(Container, SignatureCheckOnForwardOnlyStreams) {
    const std::string container = WriteContainer("payload", kOn);
    CTForwardOnlyStream good(container);
    ASSERT_TRUE(HasContainerSignature(good, "QXZ"));
    CTLZSSExpanderStream payload(good);
    EXPECT_EQ(ReadWholeStream(payload), "payload") << "exactly the signature is consumed";

    CTForwardOnlyStream plain("QXa plain");
    EXPECT_FALSE(HasContainerSignature(plain, "QXZ"));
    CTForwardOnlyStream plainAgain("QXa plain");
    EXPECT_THROW(OpenContainerPayload(plainAgain, kOn), CTStreamError) << "the bytes read cannot be given back";
}

}  // namespace
}  // namespace brumalis
