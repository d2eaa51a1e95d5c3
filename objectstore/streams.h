// Byte streams used by the object store: the abstract stream, memory and file
// streams, the buffered character reader the EDI reader is built on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace brumalis {

enum class SeekOrigin { Begin, Current, End };

// Raised by streams for I/O failures (open, write, read errors of the OS).
class CTStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A sequential byte stream. Read returns the number of bytes delivered; fewer
// than asked means the end of the data. Seek returns the new position, or -1
// when the stream has no position.
class CTStream {
public:
    virtual ~CTStream() = default;
    virtual std::size_t Read(void* pBuffer, std::size_t nCount) = 0;
    virtual std::size_t Write(const void* pBuffer, std::size_t nCount) = 0;
    virtual std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) = 0;

    void WriteAll(std::string_view bytes);
};

// A growable in-memory stream.
class CTMemoryStream : public CTStream {
public:
    CTMemoryStream() = default;
    explicit CTMemoryStream(std::string data) : v_data(std::move(data)) {}

    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    std::size_t Write(const void* pBuffer, std::size_t nCount) override;
    std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) override;

    const std::string& Data() const { return v_data; }
    std::string TakeData();

private:
    std::string v_data;
    std::size_t v_pos = 0;
};

// A read-only stream over bytes owned by somebody else (embedded blobs,
// benchmark inputs); the bytes must outlive the stream.
class CTByteViewStream : public CTStream {
public:
    explicit CTByteViewStream(std::string_view bytes) : v_bytes(bytes) {}

    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) override;

private:
    std::string_view v_bytes;
    std::size_t v_pos = 0;
};

// File stream whose opening is retried with a doubling wait, because another
// process (an anti-virus scanner, a second instance saving) may hold the file
// for a moment.
class CTMyFileStream : public CTStream {
public:
    enum class Mode {
        OpenReadDenyWrite,   // loading: shared lock, others may read only
        CreateExclusive,     // saving: create or truncate under an exclusive lock
    };

    CTMyFileStream(const std::string& szFileName, Mode mode);
    ~CTMyFileStream() override;
    CTMyFileStream(const CTMyFileStream&) = delete;
    CTMyFileStream& operator=(const CTMyFileStream&) = delete;

    std::size_t Read(void* pBuffer, std::size_t nCount) override;
    std::size_t Write(const void* pBuffer, std::size_t nCount) override;
    std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) override;

    // Flushes the file to the disk; raises CTStreamError on failure.
    void Sync();

    // Clamps n to 100..4000 ms, makes it the maximum wait and n/16 the starting
    // wait; returns the previous maximum.
    static int SetMaxWaitInterval(int n);

private:
    int v_fd = -1;
    std::string v_fileName;
};

// Write-only stream that replaces its target file only on Commit, so that a
// failed or interrupted save leaves the previous file as it was.
class CTAtomicFileStream : public CTStream {
public:
    // Raises CTStreamError when the temporary file cannot be created.
    explicit CTAtomicFileStream(std::string szTarget);

    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* pBuffer, std::size_t nCount) override;
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }

    // Raises CTStreamError when the file cannot be completed.
    void Commit();

private:
    platform::CTAtomicFileWriter v_writer;
};

// Buffered single-byte reader: reads its stream in 16384-byte blocks.
class CTStreamIO {
public:
    static constexpr std::size_t BlockSize = 16384;

    explicit CTStreamIO(CTStream& stream) : v_stream(stream), v_block(BlockSize) {}

    // The next byte, or 0 at the end of the stream.
    std::uint8_t ReadChar() {
        if (v_pos < v_len) return static_cast<std::uint8_t>(v_block[v_pos++]);
        return Refill() ? static_cast<std::uint8_t>(v_block[v_pos++]) : 0;
    }
    // The next byte without consuming it (0 at the end).
    std::uint8_t PeekChar() {
        if (v_pos < v_len || Refill()) return static_cast<std::uint8_t>(v_block[v_pos]);
        return 0;
    }
    bool Eof() { return v_pos >= v_len && !Refill(); }

    // Bytes consumed so far, for error messages.
    std::uint64_t Position() const { return v_consumedBefore + v_pos; }

    // Appends up to n bytes to out; returns how many were available.
    std::size_t ReadBytes(std::string& out, std::size_t n);

    // The unread bytes of the current block (empty only at the end), so a
    // token can be parsed where it lies; Skip consumes n of them.
    std::string_view Buffered() {
        if (v_pos >= v_len) Refill();
        return {v_block.data() + v_pos, v_len - v_pos};
    }
    void Skip(std::size_t n) { v_pos += n; }

private:
    bool Refill();

    CTStream& v_stream;
    std::vector<char> v_block;
    std::size_t v_pos = 0;
    std::size_t v_len = 0;
    std::uint64_t v_consumedBefore = 0;
};

// Reads a whole stream into memory.
std::string ReadWholeStream(CTStream& stream);
// Copies the rest of one stream into another, block by block.
void CopyStream(CTStream& from, CTStream& to);

}  // namespace brumalis
