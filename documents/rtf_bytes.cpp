#include "documents/rtf_bytes.h"

#include <array>
#include <exception>

namespace brumalis {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// How a byte below 0x80 goes out.
enum class TAscii : unsigned char { Plain, Escape, Paragraph, Drop };

constexpr std::array<TAscii, 128> MakeAsciiTable() {
    std::array<TAscii, 128> table{};
    for (std::size_t c = 0; c < 128; ++c) table[c] = c < 0x20 ? TAscii::Drop : TAscii::Plain;
    table['\t'] = TAscii::Plain;
    table['\n'] = TAscii::Paragraph;
    table['\\'] = TAscii::Escape;
    table['{'] = TAscii::Escape;
    table['}'] = TAscii::Escape;
    return table;
}
constexpr std::array<TAscii, 128> kAscii = MakeAsciiTable();

// Decodes the non-ASCII sequence at szUtf8[i]; answers U+FFFD and a length
// of 1 for a byte that does not start a valid sequence.
char32_t DecodeAt(std::string_view szUtf8, std::size_t i, std::size_t& nLength) {
    const auto lead = static_cast<unsigned char>(szUtf8[i]);
    std::size_t n = 0;
    char32_t cp = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) { n = 2; cp = lead & 0x1Fu; smallest = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { n = 3; cp = lead & 0x0Fu; smallest = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { n = 4; cp = lead & 0x07u; smallest = 0x10000; }
    nLength = 1;
    if (n == 0 || szUtf8.size() - i < n) return kReplacement;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(szUtf8[i + k]);
        if ((c & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    nLength = n;
    return cp;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp >= 0x10000) {
        const char32_t v = cp - 0x10000;
        AppendRtfUnicodeEscape(out, static_cast<char16_t>(0xD800 + (v >> 10)));
        AppendRtfUnicodeEscape(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else if (cp >= 0xA0 && cp <= 0xFF) {
        out += static_cast<char>(cp);
    } else {
        // U+0080…U+009F included: as raw bytes they would read as the
        // code page's printable characters at those positions.
        AppendRtfUnicodeEscape(out, static_cast<char16_t>(cp));
    }
}

}  // namespace

void AppendRtfUnicodeEscape(std::string& out, char16_t unit) {
    const int n = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
    out += "\\u";
    out += std::to_string(n);
    out += ' ';
}

void AppendRtfText(std::string& out, std::string_view szUtf8) {
    std::size_t i = 0;
    while (i < szUtf8.size()) {
        // Runs of plain ASCII go out in one piece.
        std::size_t j = i;
        while (j < szUtf8.size()) {
            const auto c = static_cast<unsigned char>(szUtf8[j]);
            if (c >= 0x80 || kAscii[c] != TAscii::Plain) break;
            ++j;
        }
        out.append(szUtf8.data() + i, j - i);
        if (j == szUtf8.size()) return;
        const auto c = static_cast<unsigned char>(szUtf8[j]);
        if (c < 0x80) {
            if (kAscii[c] == TAscii::Escape) AppendRtfUnicodeEscape(out, c);
            else if (kAscii[c] == TAscii::Paragraph) out += "\\par\r\n";
            i = j + 1;
            continue;
        }
        std::size_t nLength = 1;
        AppendCodePoint(out, DecodeAt(szUtf8, j, nLength));
        i = j + nLength;
    }
}

void AppendRtfHex(std::string& out, std::string_view bytes, std::size_t nAlready) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t nLines = (nAlready % 64 + bytes.size()) / 64;
    const std::size_t nStart = out.size();
    out.resize(nStart + bytes.size() * 2 + nLines * 2);
    char* p = out.data() + nStart;
    std::size_t nCount = nAlready % 64;
    for (unsigned char b : bytes) {
        *p++ = kDigits[b >> 4];
        *p++ = kDigits[b & 0x0F];
        if (++nCount == 64) {
            *p++ = '\r';
            *p++ = '\n';
            nCount = 0;
        }
    }
}

void CTRtfSink::Fail(std::string szError) {
    if (Failed()) return;
    v_error = szError.empty() ? std::string("The document could not be written") : std::move(szError);
    v_buffer.clear();
}

bool CTRtfSink::Flush() {
    if (Failed()) {
        v_buffer.clear();
        return false;
    }
    if (v_buffer.empty()) return true;
    try {
        const std::size_t nWritten = v_stream.Write(v_buffer.data(), v_buffer.size());
        if (nWritten != v_buffer.size()) {
            v_error = "The stream took " + std::to_string(nWritten) + " of " + std::to_string(v_buffer.size()) +
                      " bytes";
        }
    } catch (const std::exception& e) {
        v_error = e.what();
        if (v_error.empty()) v_error = "The stream failed";
    }
    v_buffer.clear();
    return !Failed();
}

}  // namespace brumalis
