#include "tests/documents/rtf_checker.h"

#include <cctype>
#include <set>

namespace brumalis::test {
namespace {

const std::set<std::string, std::less<>>& Vocabulary() {
    static const std::set<std::string, std::less<>> words = {
        "rtf", "ansi", "ansicpg", "uc", "deff", "deflang", "deflangfe", "fonttbl", "f", "fnil", "fcharset",
        "fprq", "colortbl", "red", "green", "blue", "stylesheet", "nowidctlpar", "widctlpar", "adjustright", "fs",
        "cgrid", "snext", "s", "sb", "sa", "keepn", "tx", "ls", "ilvl", "outlinelevel", "b", "i", "ul", "strike",
        "cf", "sbasedon", "cs", "additive", "listtable", "list", "listtemplateid", "listlevel", "levelnfc",
        "leveljc", "levelfollow", "levelstartat", "levelspace", "levelindent", "leveltext", "levelnumbers", "fi",
        "li", "jclisttab", "listname", "listid", "listoverridetable", "listoverride", "listoverridecount",
        "widowctrl", "ftnbj", "aenddoc", "formshade", "viewkind", "viewscale", "pgbrdrhead", "pgbrdrfoot",
        "paperw", "paperh", "margl", "margr", "margt", "margb", "deftab", "fet", "sectd", "noxlattoyen",
        "lndscpsxn", "linex", "endnhere", "sectdefaultcl", "header", "footer", "pard", "plain", "trowd",
        "trgaph", "trrh", "clvertalt", "clvertalb", "clvertalc", "clcbpat", "cltxlrtb", "cellx", "intbl", "ql",
        "qc", "qr", "cell", "row", "par", "field", "fldinst", "fldrslt", "lang", "pnseclvl", "pnucrm", "pnstart",
        "pnindent", "pnhang", "pntxta", "pntxtb", "pnucltr", "pndec", "pnlcltr", "pnlcrm", "tab", "page",
        "listtext", "hich", "af", "dbch", "loch", "trpaddft", "trpaddt", "trpaddfb", "trpaddb", "trpaddfl",
        "trpaddl", "trpaddfr", "trpaddr", "trhdr", "clbrdrt", "clbrdrb", "clbrdrl", "clbrdrr", "brdrs", "brdrw",
        "brdrcf", "clshdng", "clpadfr", "clpadr", "shppict", "pict", "emfblip", "jpegblip", "picscalex",
        "picscaley", "picwgoal", "pichgoal", "u"};
    return words;
}

// Groups whose content is not body text.
bool IsDestination(std::string_view word) {
    static const std::set<std::string, std::less<>> destinations = {
        "fonttbl", "colortbl", "stylesheet", "listtable", "listoverridetable", "listtext", "header", "footer",
        "pict", "fldinst", "field"};
    return destinations.count(word) != 0;
}

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

struct TGroup {
    bool bSkipped = false;
    bool bPicture = false;
    bool bFirst = true;  // nothing read in the group yet
};

class CTChecker {
public:
    explicit CTChecker(std::string_view rtf) : v_rtf(rtf) {}

    TRtfCheck Run() {
        if (v_rtf.substr(0, 6) != "{\\rtf1") Problem("the document does not start with {\\rtf1");
        while (v_pos < v_rtf.size() && !v_bClosed) Step();
        if (!v_bClosed) Problem("the document's group is not closed");
        if (v_bInRow) Problem("the last row is not closed by \\row");
        for (std::size_t i = v_pos; i < v_rtf.size(); i += 2) {
            if (v_rtf.substr(i, 2) != "\r\n") {
                Problem("bytes other than CR LF after the last }");
                break;
            }
        }
        return std::move(v_result);
    }

private:
    void Problem(const std::string& szWhat) {
        if (v_result.problems.size() < 50) v_result.problems.push_back(szWhat + " at byte " + std::to_string(v_pos));
    }

    TGroup& Top() { return v_groups.back(); }

    void Step() {
        const char c = v_rtf[v_pos];
        if (c == '{') {
            TGroup group;
            if (!v_groups.empty()) {
                group.bSkipped = Top().bSkipped;
                Top().bFirst = false;
            }
            v_groups.push_back(group);
            ++v_pos;
        } else if (c == '}') {
            if (v_groups.empty()) {
                Problem("} without a group");
            } else {
                ClosePicture();
                v_groups.pop_back();
                if (v_groups.empty()) v_bClosed = true;
            }
            ++v_pos;
        } else if (c == '\\') {
            ControlWord();
        } else {
            Character(static_cast<unsigned char>(c));
            ++v_pos;
        }
    }

    void ClosePicture() {
        if (!Top().bPicture) return;
        if (v_hexDigits % 2 != 0) Problem("odd number of hex digits in a picture");
        v_result.pictures.push_back(std::move(v_picture));
        v_picture.clear();
        v_hexDigits = 0;
    }

    void Character(unsigned char c) {
        if (v_groups.empty()) {
            Problem("text outside the document's group");
            return;
        }
        Top().bFirst = false;
        if (c == '\r' || c == '\n') return;
        if (Top().bPicture) {
            PictureDigit(static_cast<char>(c));
            return;
        }
        if (c < 0x20 && c != '\t') Problem("raw control character " + std::to_string(c));
        if (c >= 0x80 && c <= 0x9F) Problem("raw byte " + std::to_string(c) + " reads as another character");
        if (!Top().bSkipped) v_result.bodyText += static_cast<char16_t>(c);
    }

    void PictureDigit(char c) {
        if (!IsHex(c)) {
            Problem("non-hex character in a picture");
            return;
        }
        if (!std::isupper(static_cast<unsigned char>(c)) && !std::isdigit(static_cast<unsigned char>(c))) {
            Problem("lower-case hex digit in a picture");
        }
        const int n = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10;
        if (v_hexDigits % 2 == 0) v_picture += static_cast<char>(n << 4);
        else v_picture.back() = static_cast<char>(static_cast<unsigned char>(v_picture.back()) | n);
        ++v_hexDigits;
    }

    void ControlWord() {
        ++v_pos;
        if (v_pos >= v_rtf.size()) {
            Problem("backslash at the end");
            return;
        }
        const char c = v_rtf[v_pos];
        if (c == '*') {
            ++v_pos;
            if (v_groups.empty() || !Top().bFirst) Problem("\\* not at the start of a group");
            else Top().bSkipped = true;
            return;
        }
        if (c == '\'') {
            if (v_pos + 2 >= v_rtf.size() || !IsHex(v_rtf[v_pos + 1]) || !IsHex(v_rtf[v_pos + 2])) {
                Problem("\\' without two hex digits");
            }
            v_pos += 3;
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            Problem(std::string("control symbol \\") + c);
            ++v_pos;
            return;
        }
        const std::size_t nStart = v_pos;
        while (v_pos < v_rtf.size() && std::isalpha(static_cast<unsigned char>(v_rtf[v_pos]))) ++v_pos;
        const std::string_view word = v_rtf.substr(nStart, v_pos - nStart);
        const std::size_t nNumber = v_pos;
        if (v_pos < v_rtf.size() && v_rtf[v_pos] == '-') ++v_pos;
        while (v_pos < v_rtf.size() && std::isdigit(static_cast<unsigned char>(v_rtf[v_pos]))) ++v_pos;
        const std::string_view number = v_rtf.substr(nNumber, v_pos - nNumber);
        if (v_pos < v_rtf.size() && v_rtf[v_pos] == ' ') ++v_pos;
        Apply(word, number);
    }

    void Apply(std::string_view word, std::string_view number) {
        if (!Vocabulary().count(word)) Problem("control word \\" + std::string(word) + " not in the vocabulary");
        if (v_groups.empty()) {
            Problem("control word outside the document's group");
            return;
        }
        TGroup& group = Top();
        if (group.bFirst && IsDestination(word)) group.bSkipped = true;
        group.bFirst = false;
        if (word == "pict") {
            group.bPicture = true;
            group.bSkipped = true;
        } else if (word == "u") {
            Unicode(number);
        } else if (word == "par" && !group.bSkipped) {
            v_result.bodyText += u'\n';
        } else if (word == "tab" && !group.bSkipped) {
            v_result.bodyText += u'\t';
        } else if (word == "trowd") {
            if (v_bInRow) Problem("\\trowd inside a row");
            v_bInRow = true;
            v_nCellx = v_nCells = 0;
        } else if (word == "cellx") {
            ++v_nCellx;
        } else if (word == "cell") {
            ++v_nCells;
        } else if (word == "row") {
            if (!v_bInRow) Problem("\\row without \\trowd");
            if (v_nCellx != v_nCells) {
                Problem(std::to_string(v_nCells) + " \\cell for " + std::to_string(v_nCellx) + " \\cellx");
            }
            v_bInRow = false;
            ++v_result.nRows;
        }
    }

    void Unicode(std::string_view number) {
        if (number.empty() || number == "-") {
            Problem("\\u without a number");
            return;
        }
        const long n = std::stol(std::string(number));
        if (n < -32768 || n > 32767) Problem("\\u out of the 16-bit range");
        if (!Top().bSkipped) v_result.bodyText += static_cast<char16_t>(n < 0 ? n + 65536 : n);
    }

    std::string_view v_rtf;
    std::size_t v_pos = 0;
    std::vector<TGroup> v_groups;
    bool v_bClosed = false;
    bool v_bInRow = false;
    int v_nCellx = 0;
    int v_nCells = 0;
    std::string v_picture;
    std::size_t v_hexDigits = 0;
    TRtfCheck v_result;
};

}  // namespace

std::string TRtfCheck::Report() const {
    std::string out;
    for (const std::string& problem : problems) out += problem + "\n";
    return out;
}

TRtfCheck CheckRtf(std::string_view rtf) { return CTChecker(rtf).Run(); }

}  // namespace brumalis::test
