// The LZSS coder every database file, glossary and embedded resource is
// stored with, and the two streams that compress or expand on the fly.
//
// Token stream (most significant bit first): flag 1 + 8-bit literal, or
// flag 0 + 12-bit window position + 4-bit (length - 2); position 0 ends the
// stream and the last byte is padded with zero bits. The window holds 4096
// bytes, starts zeroed, and the first input byte goes to position 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "objectstore/streams.h"

namespace brumalis {

class CTLZSSCharCompressor;  // incremental encoder, driven by writes
class CTLZSSCharExpander;    // incremental decoder, driven by reads

// Runs the whole coder from one stream to the other. Only the calling thread
// touches the streams; compressing more than 256 KB also orders keys on a
// worker thread. No signature is written or expected.
class CTLZSSLogic {
public:
    static void Compress(CTStream& in, CTStream& out);
    // Damaged input never fails: missing bits read as zero, which ends the
    // token stream after at most one garbage token.
    static void Expand(CTStream& in, CTStream& out);
};

// A one-way coding stream: it has no position (Seek answers -1) and answers
// 0 for the direction it does not support.
class CTLZSSStream : public CTStream {
public:
    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    std::size_t Write(const void* pBuffer, std::size_t nCount) override;
    std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) override;

    // False once an exception from the underlying stream interrupted the
    // coder; the stream then accepts and yields nothing more.
    bool Success() const { return v_success; }

protected:
    bool v_success = true;
};

// Write-only: bytes written are compressed into the output stream, which
// nobody else may write to until the token stream is finished. The output
// lags up to 768 KB behind the input, and Finish writes the rest.
class CTLZSSCompressorStream final : public CTLZSSStream {
public:
    explicit CTLZSSCompressorStream(CTStream& out);
    // Finishes the token stream if Finish was not called; errors are lost.
    ~CTLZSSCompressorStream() override;
    CTLZSSCompressorStream(const CTLZSSCompressorStream&) = delete;
    CTLZSSCompressorStream& operator=(const CTLZSSCompressorStream&) = delete;

    // Accepts every byte (0 after Finish or a failure); may raise the
    // output stream's exceptions.
    std::size_t Write(const void* pBuffer, std::size_t nCount) override;

    // Writes the end token and the padding and flushes; later calls do
    // nothing. May raise the output stream's exceptions.
    void Finish();

private:
    std::unique_ptr<CTLZSSCharCompressor> v_engine;
};

// Read-only: yields the decoded bytes of the token stream read from the input
// stream, which must be positioned at the first token byte. A short read
// means the end token was met; the input may have been read past it.
class CTLZSSExpanderStream final : public CTLZSSStream {
public:
    explicit CTLZSSExpanderStream(CTStream& in);
    ~CTLZSSExpanderStream() override;
    CTLZSSExpanderStream(const CTLZSSExpanderStream&) = delete;
    CTLZSSExpanderStream& operator=(const CTLZSSExpanderStream&) = delete;

    std::size_t Read(void* pBuffer, std::size_t nCount) override;

private:
    std::unique_ptr<CTLZSSCharExpander> v_engine;
};

// In-memory shorthands for CTLZSSLogic::Compress and Expand.
std::string LzssCompress(std::string_view bytes);
std::string LzssExpand(std::string_view tokens);

}  // namespace brumalis
