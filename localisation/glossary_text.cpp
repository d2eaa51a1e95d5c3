#include "localisation/glossary_text.h"

#include <charconv>

#include "localisation/lang_support.h"

namespace brumalis {
namespace {

std::vector<std::string> SplitAtTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::int32_t ParseNumber(const std::string& sz, std::int32_t nMax) {
    std::int32_t n = 0;
    const auto [end, ec] = std::from_chars(sz.data(), sz.data() + sz.size(), n);
    if (ec != std::errc() || end != sz.data() + sz.size() || n < 0 || n > nMax) {
        throw CTTextFormError("'" + sz + "' is not a number from 0 to " + std::to_string(nMax));
    }
    return n;
}

// Reads lines, dropping the CR of CRLF files and counting for messages.
class CTLineReader {
public:
    explicit CTLineReader(std::istream& in) : v_in(in) {}
    bool Next(std::string& line) {
        if (!std::getline(v_in, line)) return false;
        ++v_lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
    [[noreturn]] void Fail(const std::string& szWhat) const {
        throw CTTextFormError("line " + std::to_string(v_lineNo) + ": " + szWhat);
    }

private:
    std::istream& v_in;
    int v_lineNo = 0;
};

struct TParseState {
    bool bHaveLanguage = false;
    bool bHaveCharset = false;
};

void ParseHeader(const std::string& line, CTGlossary& glos, TParseState& state) {
    const std::size_t space = line.find(' ');
    const std::string name = line.substr(0, space);
    const std::string value = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (name == "@language") {
        glos.SetTargetLanguage(ParseNumber(value, 0xFFFF));
        state.bHaveLanguage = true;
    } else if (name == "@charset") {
        glos.SetDefaultCharset(static_cast<std::uint8_t>(ParseNumber(value, 255)));
        state.bHaveCharset = true;
    } else {
        throw CTTextFormError("unknown header '" + name + "'");
    }
}

std::string Encoded(const std::string& szUtf8, std::int32_t nCharset, const char* szWhat) {
    auto bytes = CTCharsetSupport::FromUtf8(szUtf8, nCharset);
    if (!bytes) {
        throw CTTextFormError(std::string(szWhat) + " '" + szUtf8 + "' cannot be written in " +
                              CTCharsetSupport::ID2String(nCharset));
    }
    return std::move(*bytes);
}

void ParseEntry(const std::string& line, CTGlossary& glos, const TParseState& state) {
    if (!state.bHaveLanguage || !state.bHaveCharset) throw CTTextFormError("@language and @charset must come first");
    const std::vector<std::string> fields = SplitAtTabs(line);
    if (fields.size() < 2 || fields.size() > 3) throw CTTextFormError("expected term, tab, translation");
    const std::int32_t nCharset = fields.size() == 3 ? ParseNumber(fields[2], 255) : glos.GetDefaultCharset();
    const std::string term = Encoded(Unescape(fields[0]), CTCharsetSupport::kAnsiCharset, "term");
    if (term.empty()) throw CTTextFormError("empty term");
    glos.AddTermNoNonsense(term, Encoded(Unescape(fields[1]), nCharset, "translation"),
                           static_cast<std::uint8_t>(nCharset));
}

}  // namespace

std::string Escape(const std::string& szUtf8) {
    std::string out;
    for (const char c : szUtf8) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '#':
            case '@': out += out.empty() ? std::string{'\\', c} : std::string{c}; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& szField) {
    std::string out;
    for (std::size_t i = 0; i < szField.size(); ++i) {
        if (szField[i] != '\\') {
            out += szField[i];
            continue;
        }
        if (++i == szField.size()) throw CTTextFormError("backslash at the end of a field");
        switch (szField[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case '#':
            case '@': out += szField[i]; break;
            default: throw CTTextFormError(std::string("unknown escape \\") + szField[i]);
        }
    }
    return out;
}

void ParseTextForm(std::istream& in, CTGlossary& glos) {
    CTLineReader reader(in);
    TParseState state;
    std::string line;
    while (reader.Next(line)) {
        try {
            if (line.empty() || line.front() == '#') continue;
            if (line.front() == '@') {
                ParseHeader(line, glos, state);
            } else {
                ParseEntry(line, glos, state);
            }
        } catch (const CTTextFormError& e) {
            reader.Fail(e.what());
        }
    }
    if (!state.bHaveLanguage || !state.bHaveCharset) reader.Fail("@language and @charset missing");
}

void WriteTextForm(const CTGlossary& glos, std::ostream& out) {
    out << "@language " << glos.GetTargetLanguage() << "\n@charset " << int{glos.GetDefaultCharset()} << '\n';
    for (const CTGlossary::TBucket& bucket : glos.AllLetterEntries()) {
        for (const CTGlosTerm& t : bucket) {
            out << Escape(CTCharsetSupport::ToUtf8(t.GetTerm(), CTCharsetSupport::kAnsiCharset)) << '\t'
                << Escape(CTCharsetSupport::ToUtf8(t.GetTranslation(), t.GetTranslationCharset()));
            if (t.GetTranslationCharset() != glos.GetDefaultCharset()) out << '\t' << int{t.GetTranslationCharset()};
            out << '\n';
        }
    }
}

std::vector<std::string> ReadTermList(std::istream& in) {
    CTLineReader reader(in);
    std::vector<std::string> terms;
    std::string line;
    while (reader.Next(line)) {
        if (line.empty() || line.front() == '#') continue;
        try {
            terms.push_back(Unescape(line));
        } catch (const CTTextFormError& e) {
            reader.Fail(e.what());
        }
    }
    return terms;
}

}  // namespace brumalis
