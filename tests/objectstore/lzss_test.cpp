#include "objectstore/lzss.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "bench/edi_like_text.h"
#include "bench/reference_lzss.h"

namespace brumalis {
namespace {

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string s;
    for (unsigned v : values) s += static_cast<char>(v);
    return s;
}

// Reports the first difference instead of printing megabytes.
testing::AssertionResult SameBytes(std::string_view actual, std::string_view expected) {
    if (actual == expected) return testing::AssertionSuccess();
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << (diff.first - actual.begin());
}

// nAlphabet < 256 gives repetitive data with many short matches.
std::string RandomBytes(std::size_t n, unsigned seed, unsigned nAlphabet = 256) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>('a' + rng() % nAlphabet);
    return s;
}

// Runs of one byte broken by random ones: keys repeat, replace each other
// and keep changing places in the tree.
std::string Sprinkled(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, 'a');
    for (std::size_t i = 0; i < n; i += 1 + rng() % 40) s[i] = static_cast<char>(rng());
    return s;
}


std::string CompressInChunks(std::string_view data, std::size_t nChunk) {
    CTMemoryStream out;
    CTLZSSCompressorStream lz(out);
    for (std::size_t i = 0; i < data.size(); i += nChunk) {
        const std::string_view part = data.substr(i, nChunk);
        EXPECT_EQ(lz.Write(part.data(), part.size()), part.size());
    }
    lz.Finish();
    return out.TakeData();
}

std::string ExpandInChunks(std::string_view tokens, std::size_t nChunk) {
    CTByteViewStream in(tokens);
    CTLZSSExpanderStream lz(in);
    std::string out, part(nChunk, '\0');
    std::size_t n = 0;
    do {
        n = lz.Read(part.data(), nChunk);
        out.append(part, 0, n);
    } while (n == nChunk);
    EXPECT_EQ(lz.Read(part.data(), nChunk), 0u) << "reads after the end token yield nothing";
    return out;
}

TEST(LzssFormat, WorkedExamplesEncodeBitForBit) {
    const std::string forty(40, 'a');
    // Literal 'a', match (1, 17) overlapping its own output, (18, 17), (35, 5), end.
    const std::string fortyTokens = Bytes({0xB0, 0x80, 0x07, 0xC0, 0x25, 0xE0, 0x23, 0x30, 0x00, 0x00});
    const std::pair<std::string, std::string> cases[] = {
        {"abc", Bytes({0xB0, 0xD8, 0xAC, 0x60, 0x00})},
        {"", Bytes({0x00, 0x00})},
        {forty, fortyTokens},
    };
    for (const auto& [plain, tokens] : cases) {
        EXPECT_EQ(LzssCompress(plain), tokens) << plain;
        EXPECT_EQ(LzssExpand(tokens), plain);
    }
}

TEST(LzssFormat, MatchesTextbookEncoder) {
    const std::string inputs[] = {
        std::string(5000, 'x'),                    // long runs: full-length matches replace nodes
        RandomBytes(20000, 1, 3),                  // many equal-length ties
        RandomBytes(70000, 2, 16),                 // window wraps many times
        Sprinkled(60000, 3),
        bench::MakeEdiLikeText(300000),
    };
    for (const std::string& in : inputs) EXPECT_TRUE(SameBytes(LzssCompress(in), bench::ReferenceCompress(in))) << in.size();
}

// A block of `period` random bytes repeated up to n bytes: every match lies
// exactly `period` bytes back.
std::string Periodic(std::size_t n, std::size_t period, unsigned seed) {
    const std::string block = RandomBytes(period, seed);
    std::string s;
    while (s.size() < n) s += block;
    s.resize(n);
    return s;
}

// Where a finder goes wrong first: no input, inputs shorter than the
// look-ahead, runs of the bytes that sort first and last (the initial window
// is zero yet no match source), matches of the longest length and one byte
// longer, and sources at the far end of the window or just out of it.
TEST(LzssFormat, MatchesTextbookEncoderAtTheEdges) {
    std::vector<std::string> inputs = {"", "a", "ab", std::string(2, '\0'), std::string(17, 'q'),
                                       std::string(18, 'q'), std::string(19, 'q')};
    for (const char c : {'\0', '\xFF'}) {
        inputs.push_back(std::string(9000, c));
        inputs.push_back(std::string(4096, c) + "x" + std::string(4096, c));
    }
    for (const std::size_t period : {17u, 18u, 4077u, 4078u, 4079u, 4095u, 4096u, 4097u}) {
        inputs.push_back(Periodic(3 * period + 40, period, static_cast<unsigned>(period)));
    }
    // Long runs of keys equal to earlier ones, broken by single changed bytes,
    // their sources near the window's far end or right behind.
    for (const std::size_t period : {40u, 4079u, 4090u}) {
        std::string runs = Periodic(5 * period + 100, period, static_cast<unsigned>(period) + 1);
        for (std::size_t i = period + 7; i < runs.size(); i += 61 + i % 90) runs[i] = static_cast<char>(runs[i] ^ 1);
        inputs.push_back(runs);
    }
    // Repeats of 17 and 18 bytes with one byte changed between them.
    std::string nearRepeats;
    for (int i = 0; i < 600; ++i) nearRepeats += std::string(17 + i % 2, static_cast<char>('a' + i % 3)) + char('0' + i % 7);
    inputs.push_back(nearRepeats);
    for (const std::string& in : inputs) {
        EXPECT_TRUE(SameBytes(LzssCompress(in), bench::ReferenceCompress(in))) << in.size();
        EXPECT_TRUE(SameBytes(CompressInChunks(in, 4096), bench::ReferenceCompress(in))) << in.size();
    }
    EXPECT_EQ(LzssCompress("a"), Bytes({0xB0, 0x80, 0x00})) << "one literal, then the end token";
}

// Words of a small alphabet, so that three-byte prefixes recur at every
// distance, within the window and beyond it, with other words in between.
std::string Wordy(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> words(300);
    for (std::string& w : words) w = RandomBytes(3 + rng() % 4, rng(), 6);
    std::string s;
    while (s.size() < n) s += words[rng() % words.size()] + " ,;"[rng() % 3];
    return s;
}

// "abc" and then again after `distance` bytes that hold none of its letters,
// its first copy starting at window position `first`: the key last inserted
// with these bytes is still in the window, just left it, or its position
// holds another key by then.
std::string Revisited(int first, std::size_t distance, unsigned seed) {
    std::string s = RandomBytes(static_cast<std::size_t>((first + 4095) % 4096), seed, 20);
    for (char& c : s) c = static_cast<char>(c + 3);  // 'd' to 'w'
    s += "abcx";
    std::string filler = RandomBytes(distance - 4, seed + 1, 20);
    for (char& c : filler) c = static_cast<char>(c + 3);
    return s + filler + "abcy" + filler.substr(0, 50) + "abcx";
}

TEST(LzssFormat, MatchesTextbookEncoderWhateverTheRememberedStart) {
    std::vector<std::string> inputs = {Wordy(60000, 1), Wordy(30000, 2)};
    for (const int first : {1, 100, 4094, 4095}) {
        for (const std::size_t distance : {20u, 4078u, 4079u, 4080u, 4095u, 4096u, 4097u, 6000u}) {
            inputs.push_back(Revisited(first, distance, static_cast<unsigned>(first) + static_cast<unsigned>(distance)));
        }
    }
    for (const std::string& in : inputs) EXPECT_TRUE(SameBytes(LzssCompress(in), bench::ReferenceCompress(in))) << in.size();
}

// The coder orders the keys of 2^18 steps at a time, some on another thread,
// and replays the tree's ages over them in stream order. Ties between equal
// matches are settled by ages that runs of one byte carry across those
// boundaries; the last run may be shorter than the look-ahead or empty.
TEST(LzssFormat, MatchesTextbookEncoderAcrossItsRunsOfSteps) {
    constexpr std::size_t kRun = std::size_t{1} << 18;
    std::vector<std::string> inputs;
    for (const std::size_t n : {kRun - 1, kRun, kRun + 15, kRun + 16, kRun + 17, kRun + 4097}) {
        inputs.push_back(Sprinkled(n, static_cast<unsigned>(n)));
    }
    inputs.push_back(Wordy(3 * kRun + 16, 5));
    inputs.push_back(Sprinkled(4 * kRun + 1000, 6));
    for (const std::string& in : inputs) {
        EXPECT_TRUE(SameBytes(LzssCompress(in), bench::ReferenceCompress(in))) << in.size();
    }
    EXPECT_TRUE(SameBytes(CompressInChunks(inputs.back(), kRun - 3), LzssCompress(inputs.back())));
}

TEST(LzssRoundTrip, RandomAndTextInputs) {
    std::vector<std::string> inputs;
    for (std::size_t n : {0u, 1u, 16383u, 16384u, 16385u, 1u << 20}) {
        inputs.push_back(RandomBytes(n, static_cast<unsigned>(n)));
        inputs.push_back(RandomBytes(n, static_cast<unsigned>(n), 4));
    }
    inputs.push_back(bench::MakeEdiLikeText(2 << 20));
    for (const std::string& in : inputs) {
        EXPECT_TRUE(SameBytes(LzssExpand(LzssCompress(in)), in)) << in.size();
    }
    EXPECT_LT(LzssCompress(inputs.back()).size(), inputs.back().size() / 2) << "text must shrink";
}

TEST(LzssStreams, CompressorMatchesSequentialForAnyWriteSize) {
    const std::string inputs[] = {bench::MakeEdiLikeText(100000), RandomBytes(40000, 3), RandomBytes(16384, 4, 5)};
    for (const std::string& in : inputs) {
        const std::string expected = LzssCompress(in);
        for (std::size_t nChunk : {1u, 7u, 16383u, 16384u, 16385u, 65537u}) {
            EXPECT_TRUE(SameBytes(CompressInChunks(in, nChunk), expected)) << in.size() << " in chunks of " << nChunk;
        }
    }
}

TEST(LzssStreams, ExpanderMatchesSequentialForAnyReadSize) {
    const std::string in = bench::MakeEdiLikeText(100000);
    const std::string tokens = LzssCompress(in);
    for (std::size_t nChunk : {1u, 3u, 17u, 16384u, 100001u}) {
        EXPECT_TRUE(SameBytes(ExpandInChunks(tokens, nChunk), in)) << "chunks of " << nChunk;
    }
}

TEST(LzssStreams, ExactBlockAndEmptyInputFinishOnDestruction) {
    const std::string block = RandomBytes(16384, 5, 8);
    for (const std::string& in : {block, std::string()}) {
        CTMemoryStream out;
        {
            CTLZSSCompressorStream lz(out);
            lz.WriteAll(in);
        }
        EXPECT_TRUE(SameBytes(out.Data(), LzssCompress(in)));
    }
}

TEST(LzssStreams, UnsupportedDirectionsAndPositions) {
    CTMemoryStream sink;
    CTLZSSCompressorStream compressor(sink);
    char c = 'x';
    EXPECT_EQ(compressor.Read(&c, 1), 0u);
    EXPECT_EQ(compressor.Seek(0, SeekOrigin::Begin), -1);
    compressor.Finish();
    compressor.Finish();
    EXPECT_EQ(compressor.Write(&c, 1), 0u) << "no bytes after the end token";
    EXPECT_EQ(sink.Data(), LzssCompress(""));

    CTByteViewStream source(sink.Data());
    CTLZSSExpanderStream expander(source);
    EXPECT_EQ(expander.Write(&c, 1), 0u);
    EXPECT_EQ(expander.Seek(0, SeekOrigin::End), -1);
    EXPECT_TRUE(expander.Success());
}

// Accepts or yields nLimit bytes, then raises as a full disk or a read error would.
class CTFailingStream : public CTStream {
public:
    explicit CTFailingStream(std::size_t nLimit) : v_left(nLimit) {}
    std::size_t Read(void* pBuffer, std::size_t nCount) override {
        std::memset(pBuffer, 0xAA, Take(nCount));
        return nCount;
    }
    std::size_t Write(const void*, std::size_t nCount) override { return Take(nCount); }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }

private:
    std::size_t Take(std::size_t nCount) {
        if (nCount > v_left) throw CTStreamError("device failed");
        v_left -= nCount;
        return nCount;
    }
    std::size_t v_left;
};

TEST(LzssStreams, UnderlyingStreamErrorsPropagateAndStopTheCoder) {
    // More than the compressor holds back while it orders keys ahead.
    const std::string in = RandomBytes(1 << 20, 6);
    CTFailingStream disk(20000);
    CTLZSSCompressorStream compressor(disk);
    EXPECT_THROW(compressor.WriteAll(in), CTStreamError);
    EXPECT_FALSE(compressor.Success());
    EXPECT_EQ(compressor.Write(in.data(), 1), 0u);
    EXPECT_NO_THROW(compressor.Finish());

    CTFailingStream smallDisk(1000);
    CTLZSSCompressorStream held(smallDisk);
    EXPECT_EQ(held.Write(in.data(), 100000), 100000u) << "a short input is coded when it is finished";
    EXPECT_THROW(held.Finish(), CTStreamError);
    EXPECT_FALSE(held.Success());

    CTFailingStream source(16384);
    CTLZSSExpanderStream expander(source);
    std::string out(1 << 20, '\0');
    EXPECT_THROW(expander.Read(out.data(), out.size()), CTStreamError);
    EXPECT_FALSE(expander.Success());
    EXPECT_EQ(expander.Read(out.data(), out.size()), 0u);
}

// Missing bits read as zero: every complete token still decodes, then at most
// one garbage token (up to 17 bytes) precedes the end token.
TEST(LzssDamage, TruncatedStreamsEndAfterOneGarbageToken) {
    const std::string in = bench::MakeEdiLikeText(6000);
    const std::string tokens = LzssCompress(in);
    for (std::size_t k = 0; k <= tokens.size(); ++k) {
        const std::string out = LzssExpand(std::string_view(tokens).substr(0, k));
        const std::size_t nSure = out.size() - std::min<std::size_t>(out.size(), 17);
        ASSERT_LE(out.size(), in.size() + 17) << k;
        ASSERT_EQ(out.compare(0, nSure, in, 0, nSure), 0) << k;
    }
    EXPECT_TRUE(SameBytes(LzssExpand(tokens.substr(0, tokens.size() - 1)), in)) << "the last byte only ends the end token";
}

// A token of at least 9 bits yields at most one byte per bit.
TEST(LzssDamage, GarbageDecodesBoundedAndAlikeInStreams) {
    std::vector<std::string> garbage = {std::string(1000, '\xFF'), std::string(1000, '\0'), RandomBytes(3, 7)};
    for (unsigned seed = 0; seed < 20; ++seed) garbage.push_back(RandomBytes(1 + seed * 997, seed));
    for (const std::string& in : garbage) {
        const std::string out = LzssExpand(in);
        EXPECT_LE(out.size(), 8 * in.size() + 17);
        EXPECT_TRUE(SameBytes(ExpandInChunks(in, 5), out));
    }
    EXPECT_EQ(LzssExpand(std::string(1000, '\0')), "");
    EXPECT_EQ(LzssExpand(std::string(9, '\xFF')), std::string(8, '\xFF')) << "eight literals, then zeros end it";
}

// The decoder as first written down: a 4096-byte ring, one bit at a time.
std::string RingExpand(std::string_view tokens) {
    std::size_t nBit = 0;
    const auto bits = [&](int n) {
        unsigned v = 0;
        for (int k = 0; k < n; ++k, ++nBit) {
            const std::size_t nByte = nBit / 8;
            const unsigned bit = nByte < tokens.size() ? (static_cast<unsigned char>(tokens[nByte]) >> (7 - nBit % 8)) & 1u : 0u;
            v = v << 1 | bit;
        }
        return v;
    };
    std::string ring(4096, '\0'), out;
    unsigned r = 1;
    for (;;) {
        if (bits(1)) {
            out += ring[r] = static_cast<char>(bits(8));
            r = (r + 1) & 4095;
            continue;
        }
        unsigned pos = bits(12);
        if (pos == 0) return out;
        const unsigned length = bits(4) + 2;
        for (unsigned k = 0; k < length; ++k) {
            out += ring[r] = ring[pos];
            r = (r + 1) & 4095;
            pos = (pos + 1) & 4095;
        }
    }
}

// Arbitrary tokens reach every window position, the unwritten zeros and
// the position about to be overwritten among them, across chunk boundaries.
TEST(LzssDamage, AnyTokenStreamDecodesAsTheRingDecoderDecodesIt) {
    std::vector<std::string> streams;
    for (unsigned seed = 0; seed < 12; ++seed) {
        // Mostly 1 bits: long streams of literals and matches before an end token.
        std::mt19937 rng(seed);
        std::string s(20000 + seed * 9000, '\0');
        for (char& c : s) c = static_cast<char>(rng() | rng() | (seed % 2 ? 0u : rng()));
        streams.push_back(s);
    }
    streams.push_back(LzssCompress(Sprinkled(300000, 9)));
    for (const std::string& tokens : streams) {
        const std::string expected = RingExpand(tokens);
        EXPECT_TRUE(SameBytes(LzssExpand(tokens), expected)) << tokens.size();
        EXPECT_TRUE(SameBytes(ExpandInChunks(tokens, 4099), expected)) << tokens.size();
    }
}

}  // namespace
}  // namespace brumalis
