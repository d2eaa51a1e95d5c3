// The bytes of an RTF document: caller text escaped for RTF, and the sink
// that carries the bytes to the stream and keeps the first stream error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "objectstore/streams.h"

namespace brumalis {

// Appends UTF-8 text as RTF: printable ASCII and U+00A0…U+00FF as their own
// byte (the document's code page is 1252, which agrees there), tab as is,
// LF as the line "\par", CR dropped; "\", "{", "}", U+0080…U+009F and
// everything above U+00FF as "\u" with the UTF-16 unit as a signed 16-bit
// number and a blank (two escapes, one per surrogate, beyond U+FFFF). Other
// control characters are dropped, and a byte that does not belong to valid
// UTF-8 stands for U+FFFD.
void AppendRtfText(std::string& out, std::string_view szUtf8);

// Appends "\u<n> " for one UTF-16 unit.
void AppendRtfUnicodeEscape(std::string& out, char16_t unit);

// Appends bytes as upper-case hexadecimal, a CR LF after every 64th byte;
// nAlready bytes of the same picture have gone out before.
void AppendRtfHex(std::string& out, std::string_view bytes, std::size_t nAlready);

// Buffers the document for its stream. The first failure of the stream (a
// short write or an exception) is kept; from then on nothing more is written.
class CTRtfSink {
public:
    explicit CTRtfSink(CTStream& stream) : v_stream(stream) {}

    void Write(std::string_view bytes) {
        v_buffer.append(bytes);
        if (v_buffer.size() >= kFlushSize) Flush();
    }
    void WriteLine(std::string_view bytes) {
        v_buffer.append(bytes);
        v_buffer.append("\r\n");
        if (v_buffer.size() >= kFlushSize) Flush();
    }
    void WriteText(std::string_view szUtf8) {
        AppendRtfText(v_buffer, szUtf8);
        if (v_buffer.size() >= kFlushSize) Flush();
    }
    void WriteHex(std::string_view bytes, std::size_t nAlready) {
        AppendRtfHex(v_buffer, bytes, nAlready);
        if (v_buffer.size() >= kFlushSize) Flush();
    }

    // Hands the buffer to the stream; false once the stream has failed.
    bool Flush();
    // Records a failure met while producing the bytes; the first one counts.
    void Fail(std::string szError);
    bool Failed() const { return !v_error.empty(); }
    // The first stream error in words, empty while there is none.
    const std::string& Error() const { return v_error; }

private:
    static constexpr std::size_t kFlushSize = 64 * 1024;

    CTStream& v_stream;
    std::string v_buffer;
    std::string v_error;
};

}  // namespace brumalis
