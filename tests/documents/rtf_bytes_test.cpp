#include <gtest/gtest.h>

#include "documents/rtf_bytes.h"

namespace brumalis {
namespace {

std::string Escaped(std::string_view sz) {
    std::string out;
    AppendRtfText(out, sz);
    return out;
}

TEST(RtfText, EscapesTheRtfSpecialsAsUnicodeCharacters) {
    EXPECT_EQ(Escaped("a{b}\\c"), "a\\u123 b\\u125 \\u92 c");
    EXPECT_EQ(Escaped("plain text 1.5 kW"), "plain text 1.5 kW");
}

TEST(RtfText, WritesEveryUtf16UnitAboveLatin1AsASigned16BitEscape) {
    EXPECT_EQ(Escaped("\xD0\x96"), "\\u1046 ");          // U+0416
    EXPECT_EQ(Escaped("\xEF\xBF\xBD"), "\\u-3 ");        // U+FFFD
    EXPECT_EQ(Escaped("\xE2\x82\xAC"), "\\u8364 ");      // the euro sign
    EXPECT_EQ(Escaped("\xF0\x9F\x98\x80"), "\\u-10179 \\u-8704 ");  // U+1F600 as two surrogates
    EXPECT_EQ(Escaped("\xC3\xA9"), "\xE9");              // é is the same byte in code page 1252
    EXPECT_EQ(Escaped("\xC2\xB0" "C"), "\xB0" "C");
}

TEST(RtfText, ReplacesEveryByteThatIsNotValidUtf8) {
    EXPECT_EQ(Escaped("a\xFF" "b"), "a\\u-3 b");
    EXPECT_EQ(Escaped("\xC3"), "\\u-3 ");                    // cut short
    EXPECT_EQ(Escaped("\xC0\xAF"), "\\u-3 \\u-3 ");          // overlong
    EXPECT_EQ(Escaped("\xED\xA0\x80"), "\\u-3 \\u-3 \\u-3 ");  // an encoded surrogate
    EXPECT_EQ(Escaped("\xF4\x90\x80\x80"), "\\u-3 \\u-3 \\u-3 \\u-3 ");  // above U+10FFFF
}

TEST(RtfText, KeepsTabEndsParagraphsAtLineFeedsAndDropsOtherControls) {
    EXPECT_EQ(Escaped("a\tb"), "a\tb");
    EXPECT_EQ(Escaped("one\r\ntwo"), "one\\par\r\ntwo");
    EXPECT_EQ(Escaped("x\x01\x07\x1By\x7F"), "xy\x7F");
    // C1 controls would read as printable characters of code page 1252.
    EXPECT_EQ(Escaped("\xC2\x80\xC2\x9F"), "\\u128 \\u159 ");
}

TEST(RtfHex, BreaksTheLineAfterEvery64thByteOfAPicture) {
    std::string out;
    AppendRtfHex(out, std::string(64, '\xAB'), 0);
    std::string expected;
    for (int i = 0; i < 64; ++i) expected += "AB";
    EXPECT_EQ(out, expected + "\r\n");
    std::string split;
    AppendRtfHex(split, std::string(60, '\x01'), 0);
    AppendRtfHex(split, std::string(10, '\x01'), 60);
    std::string whole;
    AppendRtfHex(whole, std::string(70, '\x01'), 0);
    EXPECT_EQ(split, whole);
    EXPECT_EQ(whole.find("\r\n"), 128U);
    EXPECT_EQ(whole.size(), 140U + 2U);
}

// Takes the first nLimit bytes, then writes short.
class TShortStream : public CTStream {
public:
    explicit TShortStream(std::size_t nLimit) : v_limit(nLimit) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* p, std::size_t n) override {
        const std::size_t nTaken = std::min(n, v_limit - data.size());
        data.append(static_cast<const char*>(p), nTaken);
        ++nCalls;
        return nTaken;
    }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }
    std::string data;
    int nCalls = 0;

private:
    std::size_t v_limit;
};

TEST(RtfSink, KeepsTheFirstShortWriteAndWritesNothingAfterIt) {
    TShortStream stream(10);
    CTRtfSink sink(stream);
    sink.Write("0123456789ABCDEF");
    EXPECT_FALSE(sink.Flush());
    EXPECT_EQ(sink.Error(), "The stream took 10 of 16 bytes");
    sink.Write("more");
    EXPECT_FALSE(sink.Flush());
    EXPECT_EQ(stream.nCalls, 1);
    EXPECT_EQ(stream.data, "0123456789");
}

}  // namespace
}  // namespace brumalis
