// font-metrics: writes the built-in font metrics table
// (platform/graphics/font_metrics_table.cpp) from the font files.
//
// Sources, all Debian packages:
//   "Arial":       Liberation Sans 2 (fonts-liberation2), SIL Open Font Licence 1.1
//   "Courier New": Liberation Mono 2 (fonts-liberation2), SIL Open Font Licence 1.1
//   "Tahoma":      Wine's Tahoma, regular and bold (fonts-wine), GNU LGPL 2.1 or later
// Only metrics are taken: per style the advance in font units of every
// Basic Multilingual Plane character the font maps, units per em, and the
// OS/2 table's usWinAscent, usWinDescent and xAvgCharWidth (what GDI uses
// for a line's height, rather than FreeType's ascender).
//
// Usage: font-metrics OUTPUT.cpp [LIBERATION_DIR WINE_FONT_DIR]
//
// Table encoding, per face and style, covering code points 0 to 0xFFFF in
// order: a header word h, then either h & 0x7FFF advances (h & 0x8000 set:
// a literal run) or one advance repeated h times; 0xFFFF marks characters
// the font lacks.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t kNoGlyph = 0xFFFF;
constexpr std::size_t kMaxRun = 0x7FFF;

struct TSource {
    const char* szFace;
    int nStyleBits;  // bit 0 bold, bit 1 italic
    const char* szDir;  // "lib" or "wine"
    const char* szFile;
    const char* szName;  // of the array
};

const TSource kSources[] = {
    {"Arial", 0, "lib", "LiberationSans-Regular.ttf", "kArialRegular"},
    {"Arial", 1, "lib", "LiberationSans-Bold.ttf", "kArialBold"},
    {"Arial", 2, "lib", "LiberationSans-Italic.ttf", "kArialItalic"},
    {"Arial", 3, "lib", "LiberationSans-BoldItalic.ttf", "kArialBoldItalic"},
    {"Courier New", 0, "lib", "LiberationMono-Regular.ttf", "kCourierRegular"},
    {"Courier New", 1, "lib", "LiberationMono-Bold.ttf", "kCourierBold"},
    {"Courier New", 2, "lib", "LiberationMono-Italic.ttf", "kCourierItalic"},
    {"Courier New", 3, "lib", "LiberationMono-BoldItalic.ttf", "kCourierBoldItalic"},
    {"Tahoma", 0, "wine", "tahoma.ttf", "kTahomaRegular"},
    {"Tahoma", 1, "wine", "tahomabd.ttf", "kTahomaBold"},
};

struct TFaceData {
    std::vector<std::uint16_t> advances = std::vector<std::uint16_t>(0x10000, kNoGlyph);
    int nUnitsPerEm = 0, nWinAscent = 0, nWinDescent = 0, nAvgCharWidth = 0;
};

TFaceData ReadFace(FT_Library lib, const std::string& szPath) {
    FT_Face face = nullptr;
    if (FT_New_Face(lib, szPath.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot open font file " + szPath);
    TFaceData data;
    try {
        if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
            throw std::runtime_error(szPath + " has no Unicode character map");
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (!os2) throw std::runtime_error(szPath + " has no OS/2 table");
        data.nUnitsPerEm = face->units_per_EM;
        data.nWinAscent = os2->usWinAscent;
        data.nWinDescent = os2->usWinDescent;
        data.nAvgCharWidth = os2->xAvgCharWidth;
        FT_UInt nGlyph = 0;
        for (FT_ULong c = FT_Get_First_Char(face, &nGlyph); nGlyph != 0;
             c = FT_Get_Next_Char(face, c, &nGlyph)) {
            if (c >= 0x10000) break;
            FT_Fixed nAdvance = 0;
            if (FT_Get_Advance(face, nGlyph, FT_LOAD_NO_SCALE, &nAdvance) != 0)
                throw std::runtime_error(szPath + ": no advance for a glyph");
            if (nAdvance < 0 || nAdvance >= kNoGlyph)
                throw std::runtime_error(szPath + ": advance out of range");
            data.advances[c] = std::uint16_t(nAdvance);
        }
    } catch (...) {
        FT_Done_Face(face);
        throw;
    }
    FT_Done_Face(face);
    return data;
}

// Runs of at least this many equal values are written as a repeat.
constexpr std::size_t kMinRepeat = 3;

std::vector<std::uint16_t> Encode(const std::vector<std::uint16_t>& advances) {
    std::vector<std::uint16_t> out;
    std::vector<std::uint16_t> literal;
    auto flushLiteral = [&] {
        for (std::size_t i = 0; i < literal.size(); i += kMaxRun) {
            const std::size_t n = std::min(kMaxRun, literal.size() - i);
            out.push_back(std::uint16_t(0x8000 | n));
            out.insert(out.end(), literal.begin() + long(i), literal.begin() + long(i + n));
        }
        literal.clear();
    };
    std::size_t i = 0;
    while (i < advances.size()) {
        std::size_t j = i;
        while (j < advances.size() && advances[j] == advances[i] && j - i < kMaxRun) ++j;
        if (j - i >= kMinRepeat) {
            flushLiteral();
            out.push_back(std::uint16_t(j - i));
            out.push_back(advances[i]);
        } else {
            literal.insert(literal.end(), advances.begin() + long(i), advances.begin() + long(j));
        }
        i = j;
    }
    flushLiteral();
    return out;
}

void WriteArray(std::ostream& os, const char* szName, const std::vector<std::uint16_t>& words) {
    os << "const std::uint16_t " << szName << "[] = {";
    for (std::size_t i = 0; i < words.size(); ++i) {
        os << (i % 12 == 0 ? "\n    " : " ");
        char buf[8];
        std::snprintf(buf, sizeof buf, "0x%04X,", words[i]);
        os << buf;
    }
    os << "\n};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: font-metrics OUTPUT.cpp [LIBERATION_DIR WINE_FONT_DIR]\n";
        return 2;
    }
    const std::string szLib = argc == 4 ? argv[2] : "/usr/share/fonts/truetype/liberation2";
    const std::string szWine = argc == 4 ? argv[3] : "/usr/share/wine/fonts";
    try {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType does not start");
        std::ostringstream body, index;
        // Styles whose advances are all alike (the monospaced face) share one array.
        std::vector<std::pair<std::vector<std::uint16_t>, const char*>> written;
        for (const TSource& src : kSources) {
            const std::string szPath = (std::string(src.szDir) == "lib" ? szLib : szWine) + "/" + src.szFile;
            const TFaceData data = ReadFace(lib, szPath);
            const auto words = Encode(data.advances);
            const char* szArray = src.szName;
            auto same = std::find_if(written.begin(), written.end(), [&](const auto& w) { return w.first == words; });
            if (same != written.end()) {
                szArray = same->second;
            } else {
                WriteArray(body, src.szName, words);
                written.emplace_back(words, src.szName);
            }
            index << "    {\"" << src.szFace << "\", " << src.nStyleBits << ", " << data.nUnitsPerEm
                  << ", " << data.nWinAscent << ", " << data.nWinDescent << ", " << data.nAvgCharWidth
                  << ", " << szArray << ", " << words.size() << "},  // " << src.szFile << "\n";
        }
        FT_Done_FreeType(lib);
        std::ofstream os(argv[1], std::ios::binary);
        os << "// Generated by tools/font-metrics from Liberation Sans and Mono 2 (SIL Open\n"
              "// Font Licence 1.1) and Wine's Tahoma (GNU LGPL 2.1 or later). Do not edit.\n"
              "#include \"platform/graphics/font_metrics_table.h\"\n\n"
              "namespace brumalis::graphics::font_table {\n\nnamespace {\n\n"
           << body.str() << "}  // namespace\n\nconst TFaceStyleTable kTables[] = {\n" << index.str()
           << "};\n\nconst std::size_t kTableCount = sizeof(kTables) / sizeof(kTables[0]);\n\n"
              "}  // namespace brumalis::graphics::font_table\n";
        os.close();
        if (!os) throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "font-metrics: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
