#include "bench/edi_like_text.h"

#include <charconv>
#include <cstdint>
#include <random>

namespace brumalis::bench {
namespace {

struct Column {
    const char* name;
    int type;
};

struct Table {
    const char* name;
    int clsId;
    Column columns[10];
    int nColumns;
};

const Table kTables[] = {
    {"Tbl_BenchUnit", 40, {{"OUT_ID", 2}, {"OUT_Name", 10}, {"OUT_CoolCap", 4}, {"OUT_PowerInput", 4},
                           {"OUT_Deleted", 0}, {"OUT_Family_CLS_REF", 2}, {"OUT_Family_OBJ_REF", 2},
                           {"OUT_Price", 6}}, 8},
    {"Tbl_BenchPolynomial", 41, {{"POL_ID", 2}, {"POL_Type", 2}, {"POL_A0", 4}, {"POL_A1", 4}, {"POL_A2", 4},
                                 {"POL_A3", 4}, {"POL_A4", 4}, {"POL_A5", 4}, {"POL_A6", 4}, {"POL_A7", 4}}, 10},
    {"Tbl_BenchText", 42, {{"TXT_ID", 2}, {"TXT_Text", 10}}, 2},
};

const char* const kWords[] = {"Chiller", "air-cooled", "scroll", "R410A", "low noise", "pump\\tank",
                              "heat recovery", "brine 30%", "EER", "kW"};

void AppendInt(std::string& s, std::int64_t n) {
    char buf[24];
    s.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

// A decimal with up to four places, trailing zeros dropped, as the writer would.
void AppendDecimal(std::string& s, std::int64_t nTenThousandths) {
    if (nTenThousandths < 0) {
        s += '-';
        nTenThousandths = -nTenThousandths;
    }
    AppendInt(s, nTenThousandths / 10000);
    std::int64_t frac = nTenThousandths % 10000;
    if (frac == 0) return;
    char digits[5] = {char('0' + frac / 1000), char('0' + frac / 100 % 10), char('0' + frac / 10 % 10),
                      char('0' + frac % 10), 0};
    int n = 4;
    while (digits[n - 1] == '0') --n;
    s += '.';
    s.append(digits, static_cast<std::size_t>(n));
}

void AppendCounted(std::string& s, const std::string& text) {
    std::string escaped;
    for (unsigned char c : text) {
        if (c < 32 || c == '\\') {
            const char* hex = "0123456789ABCDEF";
            escaped += '\\';
            escaped += hex[c >> 4];
            escaped += hex[c & 15];
        } else {
            escaped += static_cast<char>(c);
        }
    }
    AppendInt(s, static_cast<std::int64_t>(escaped.size()));
    s += ' ';
    s += escaped;
}

void AppendStructure(std::string& s) {
    for (const Table& t : kTables) {
        s += "5 ";
        AppendCounted(s, t.name);
        s += ' ';
        AppendInt(s, t.clsId);
        s += "\r\n";
        for (int i = 0; i < t.nColumns; ++i) {
            s += "5 ";
            AppendCounted(s, t.columns[i].name);
            s += ' ';
            AppendInt(s, t.columns[i].type);
            s += "\r\n";
        }
        s += "0\r\n";
    }
    s += "0\r\n";
}

std::string RandomText(std::mt19937& rng) {
    std::string text;
    const int nWords = 1 + static_cast<int>(rng() % 5);
    for (int i = 0; i < nWords; ++i) {
        if (i) text += ' ';
        text += kWords[rng() % 10];
    }
    return text;
}

void AppendValue(std::string& s, int type, int id, std::mt19937& rng) {
    AppendInt(s, type);
    s += ' ';
    switch (type) {
        case 0: s += (rng() & 1) ? '1' : '0'; break;
        case 2: AppendInt(s, id ? id : static_cast<std::int64_t>(rng() % 100000)); break;
        case 4:
        case 6: AppendDecimal(s, static_cast<std::int64_t>(rng() % 200000000) - 50000000); break;
        default: AppendCounted(s, RandomText(rng)); break;
    }
    s += ' ';
}

void AppendExtendedStructure(std::string& s) {
    for (const Table& t : kTables) {
        s += "2 ";
        AppendInt(s, t.clsId);
        s += " 2 -1\r\n";
        for (int i = 0; i < t.nColumns; ++i) {
            const int type = t.columns[i].type;
            s += "2 ";
            AppendInt(s, type);
            s += ' ';
            if (type == 0 || type == 4 || type == 6) s += '0';
            if (type == 2) s += "0 0 0";
            if (type == 10) s += "0  0 0";
            s += "\r\n";
        }
        s += "0\r\n";
    }
    s += "0\r\n";
}

}  // namespace

std::string MakeEdiLikeText(std::size_t nMinBytes, std::size_t* nRecordsOut) {
    std::mt19937 rng(20261209);
    std::string s = "EDI100\r\n";
    AppendStructure(s);
    // Records are written in blocks, one block per table, round after round,
    // so that each table appears once per block header as the format requires.
    const std::size_t nPerTable = nMinBytes / 250 + 1;  // about 83 bytes a record
    std::size_t nRecords = 0;
    for (const Table& t : kTables) {
        s += "2 ";
        AppendInt(s, t.clsId);
        s += " 2 0 2 ";
        AppendInt(s, static_cast<std::int64_t>(nPerTable));
        s += " 2 ";
        AppendInt(s, static_cast<std::int64_t>(nPerTable));
        s += "\r\n";
        for (std::size_t r = 1; r <= nPerTable; ++r) {
            for (int i = 0; i < t.nColumns; ++i) AppendValue(s, t.columns[i].type, i == 0 ? int(r) : 0, rng);
            s += "\r\n";
        }
        nRecords += nPerTable;
    }
    s += "0\r\n";
    AppendExtendedStructure(s);
    if (nRecordsOut) *nRecordsOut = nRecords;
    return s;
}

const std::string& BenchmarkText(std::size_t* nRecordsOut) {
    static std::size_t nRecords = 0;
    static const std::string text = MakeEdiLikeText(8u << 20, &nRecords);
    if (nRecordsOut) *nRecordsOut = nRecords;
    return text;
}

}  // namespace brumalis::bench
