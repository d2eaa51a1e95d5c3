// Reading enhanced metafiles strictly: every record's size, alignment and
// layout is checked against the file before anything is drawn, and every
// handle a record uses must have been created.
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <variant>

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/emf_records.h"
#include "platform/graphics/picture_codecs.h"
#include "platform/graphics/text_codec.h"

namespace brumalis::graphics {

using namespace emf;

CTEmfError::CTEmfError(const std::string& szWhat, std::size_t nOffset)
    : std::runtime_error("metafile damaged at byte " + std::to_string(nOffset) + ": " + szWhat), v_offset(nOffset) {}

namespace {

const char* RecordName(std::uint32_t nType) {
    switch (nType) {
    case EMR_HEADER: return "HEADER";
    case EMR_POLYBEZIER: return "POLYBEZIER";
    case EMR_POLYGON: return "POLYGON";
    case EMR_POLYLINE: return "POLYLINE";
    case EMR_EOF: return "EOF";
    case EMR_SETMAPMODE: return "SETMAPMODE";
    case EMR_SETBKMODE: return "SETBKMODE";
    case EMR_SETPOLYFILLMODE: return "SETPOLYFILLMODE";
    case EMR_SETROP2: return "SETROP2";
    case EMR_SETTEXTALIGN: return "SETTEXTALIGN";
    case EMR_SETTEXTCOLOR: return "SETTEXTCOLOR";
    case EMR_SETBKCOLOR: return "SETBKCOLOR";
    case EMR_MOVETOEX: return "MOVETOEX";
    case EMR_SELECTOBJECT: return "SELECTOBJECT";
    case EMR_CREATEPEN: return "CREATEPEN";
    case EMR_CREATEBRUSHINDIRECT: return "CREATEBRUSHINDIRECT";
    case EMR_DELETEOBJECT: return "DELETEOBJECT";
    case EMR_ELLIPSE: return "ELLIPSE";
    case EMR_RECTANGLE: return "RECTANGLE";
    case EMR_ROUNDRECT: return "ROUNDRECT";
    case EMR_ARC: return "ARC";
    case EMR_LINETO: return "LINETO";
    case EMR_STRETCHDIBITS: return "STRETCHDIBITS";
    case EMR_EXTCREATEFONTINDIRECTW: return "EXTCREATEFONTINDIRECTW";
    case EMR_EXTTEXTOUTW: return "EXTTEXTOUTW";
    case EMR_POLYBEZIER16: return "POLYBEZIER16";
    case EMR_POLYGON16: return "POLYGON16";
    case EMR_POLYLINE16: return "POLYLINE16";
    default: return nullptr;
    }
}

std::string Name(std::uint32_t nType) {
    const char* p = RecordName(nType);
    return p ? p : "record " + std::to_string(nType);
}

// The exact size of records whose size never varies; 0 for the others.
std::size_t FixedSize(std::uint32_t nType) {
    switch (nType) {
    case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE: case EMR_SETROP2:
    case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR: case EMR_SETBKCOLOR:
    case EMR_SELECTOBJECT: case EMR_DELETEOBJECT: return 12;
    case EMR_MOVETOEX: case EMR_LINETO: return 16;
    case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_CREATEBRUSHINDIRECT: return 24;
    case EMR_CREATEPEN: return 28;
    case EMR_ROUNDRECT: return 32;
    case EMR_ARC: return 40;
    default: return 0;
    }
}

bool IsPoints16(std::uint32_t t) { return t == EMR_POLYGON16 || t == EMR_POLYLINE16 || t == EMR_POLYBEZIER16; }
bool IsPoints32(std::uint32_t t) { return t == EMR_POLYGON || t == EMR_POLYLINE || t == EMR_POLYBEZIER; }
bool IsBezier(std::uint32_t t) { return t == EMR_POLYBEZIER || t == EMR_POLYBEZIER16; }
bool CreatesObject(std::uint32_t t) {
    return t == EMR_CREATEPEN || t == EMR_CREATEBRUSHINDIRECT || t == EMR_EXTCREATEFONTINDIRECTW ||
           t == EMR_CREATEPALETTE || t == EMR_CREATEMONOBRUSH || t == EMR_CREATEDIBPATTERNBRUSHPT ||
           t == EMR_EXTCREATEPEN || t == EMR_CREATECOLORSPACE || t == EMR_CREATECOLORSPACEW;
}
bool IsStock(std::uint32_t ih) { return (ih & kStockObject) && (ih & ~kStockObject) <= kLastStockObject; }

// A part [nOff, nOff + nLen) of a record of nSize bytes, after the fixed part.
bool PartFits(std::uint64_t nOff, std::uint64_t nLen, std::size_t nMinOff, std::size_t nSize) {
    return nLen == 0 || (nOff >= nMinOff && nOff + nLen <= nSize);
}

class TRecordChecker {
public:
    explicit TRecordChecker(std::uint16_t nHandles) : v_used(nHandles, false) {}

    void Check(std::uint32_t t, std::string_view rec, std::size_t at) {
        const std::size_t n = rec.size();
        if (const std::size_t nFixed = FixedSize(t); nFixed && n != nFixed)
            throw CTEmfError(Name(t) + " of " + std::to_string(n) + " bytes, expected " + std::to_string(nFixed), at);
        if (IsPoints16(t) || IsPoints32(t)) CheckPoints(t, rec, at);
        if (t == EMR_EXTCREATEFONTINDIRECTW && n < 12 + kLogFontSize)
            throw CTEmfError("font record of " + std::to_string(n) + " bytes, too short", at);
        if (t == EMR_EXTTEXTOUTW) CheckText(rec, at);
        if (t == EMR_STRETCHDIBITS) CheckBitmap(rec, at);
        if (t == EMR_EOF && (n < 20 || 20 + 4 * std::uint64_t(ReadU32(rec, 8)) > n))
            throw CTEmfError("end record of " + std::to_string(n) + " bytes does not hold its palette", at);
        CheckHandles(t, rec, at);
    }

private:
    void CheckPoints(std::uint32_t t, std::string_view rec, std::size_t at) {
        if (rec.size() < 28) throw CTEmfError(Name(t) + " of " + std::to_string(rec.size()) + " bytes, too short", at);
        const std::uint64_t nCount = ReadU32(rec, 24);
        const std::uint64_t nExpected = 28 + nCount * (IsPoints16(t) ? 4 : 8);
        if (nExpected != rec.size())
            throw CTEmfError(Name(t) + " count of " + std::to_string(nCount) + " points does not match its " +
                                 std::to_string(rec.size()) + " bytes", at);
        if (IsBezier(t) && nCount % 3 != 1)
            throw CTEmfError(Name(t) + " with " + std::to_string(nCount) + " points, not 3n + 1", at);
    }
    void CheckText(std::string_view rec, std::size_t at) {
        if (rec.size() < kTextRecordFixed) throw CTEmfError("EXTTEXTOUTW of " + std::to_string(rec.size()) + " bytes, too short", at);
        const std::uint64_t nChars = ReadU32(rec, 44);
        const std::uint32_t nDx = ReadU32(rec, 72);
        if (!PartFits(ReadU32(rec, 48), 2 * nChars, kTextRecordFixed, rec.size()) ||
            (nDx != 0 && !PartFits(nDx, 4 * nChars, kTextRecordFixed, rec.size())))
            throw CTEmfError("EXTTEXTOUTW count of " + std::to_string(nChars) + " characters does not fit its " +
                                 std::to_string(rec.size()) + " bytes", at);
    }
    void CheckBitmap(std::string_view rec, std::size_t at) {
        if (rec.size() < kStretchRecordFixed)
            throw CTEmfError("STRETCHDIBITS of " + std::to_string(rec.size()) + " bytes, too short", at);
        if (!PartFits(ReadU32(rec, 48), ReadU32(rec, 52), kStretchRecordFixed, rec.size()) ||
            !PartFits(ReadU32(rec, 56), ReadU32(rec, 60), kStretchRecordFixed, rec.size()))
            throw CTEmfError("STRETCHDIBITS bitmap outside its " + std::to_string(rec.size()) + " bytes", at);
    }
    void CheckHandles(std::uint32_t t, std::string_view rec, std::size_t at) {
        if (CreatesObject(t)) {
            if (rec.size() < 12) throw CTEmfError(Name(t) + " without a handle", at);
            const std::uint32_t ih = ReadU32(rec, 8);
            if (ih == 0 || ih >= v_used.size())
                throw CTEmfError("handle " + std::to_string(ih) + " outside the table of " + std::to_string(v_used.size()), at);
            if (v_used[ih]) throw CTEmfError("handle " + std::to_string(ih) + " created while in use", at);
            v_used[ih] = true;
        } else if (t == EMR_SELECTOBJECT || t == EMR_DELETEOBJECT) {
            const std::uint32_t ih = ReadU32(rec, 8);
            const bool bKnown = (t == EMR_SELECTOBJECT && IsStock(ih)) || (ih < v_used.size() && v_used[ih]);
            if (!bKnown) throw CTEmfError(Name(t) + " of unknown handle " + std::to_string(ih), at);
            if (t == EMR_DELETEOBJECT) v_used[ih] = false;
        }
    }

    std::vector<bool> v_used;
};

TEmfHeader ReadHeader(std::string_view bytes) {
    if (bytes.size() < kMinHeaderSize) throw CTEmfError("file of " + std::to_string(bytes.size()) + " bytes holds no header", 0);
    if (bytes.size() % 4) throw CTEmfError("file size " + std::to_string(bytes.size()) + " not a multiple of 4", bytes.size());
    if (ReadU32(bytes, 0) != EMR_HEADER) throw CTEmfError("first record is not a header", 0);
    const std::uint32_t nSize = ReadU32(bytes, 4);
    if (nSize < kMinHeaderSize || nSize > bytes.size() || nSize % 4)
        throw CTEmfError("header size " + std::to_string(nSize) + " is wrong", 4);
    if (ReadU32(bytes, 40) != kSignature) throw CTEmfError("no metafile signature", 40);
    TEmfHeader h;
    h.bounds = {ReadI32(bytes, 8), ReadI32(bytes, 12), ReadI32(bytes, 16), ReadI32(bytes, 20)};
    h.frame = {ReadI32(bytes, 24), ReadI32(bytes, 28), ReadI32(bytes, 32), ReadI32(bytes, 36)};
    h.nBytes = ReadU32(bytes, 48);
    h.nRecords = ReadU32(bytes, 52);
    h.nHandles = ReadU16(bytes, 56);
    h.device = {ReadI32(bytes, 72), ReadI32(bytes, 76)};
    h.millimeters = {ReadI32(bytes, 80), ReadI32(bytes, 84)};
    if (h.nBytes != bytes.size())
        throw CTEmfError("header counts " + std::to_string(h.nBytes) + " bytes, the file holds " + std::to_string(bytes.size()), 48);
    if (h.nHandles == 0) throw CTEmfError("handle table of 0 entries", 56);
    return h;
}

}  // namespace

std::vector<TEmfRecord> ReadEmfRecords(std::string_view bytes, TEmfHeader* pHeader) {
    const TEmfHeader header = ReadHeader(bytes);
    TRecordChecker checker(header.nHandles);
    std::vector<TEmfRecord> records;
    std::size_t at = 0;
    bool bEnded = false;
    while (at < bytes.size()) {
        if (bEnded) throw CTEmfError("data after the end record", at);
        if (bytes.size() - at < 8) throw CTEmfError("short record", at);
        const std::uint32_t nType = ReadU32(bytes, at);
        const std::uint32_t nSize = ReadU32(bytes, at + 4);
        if (nSize < 8 || nSize % 4) throw CTEmfError("bad record size " + std::to_string(nSize), at + 4);
        if (nSize > bytes.size() - at)
            throw CTEmfError(Name(nType) + " of " + std::to_string(nSize) + " bytes runs past the end", at);
        if (nType == EMR_HEADER && at != 0) throw CTEmfError("a second header", at);
        const std::string_view rec = bytes.substr(at, nSize);
        if (at != 0) checker.Check(nType, rec, at);
        records.push_back({nType, at, rec.substr(8)});
        bEnded = nType == EMR_EOF;
        at += nSize;
    }
    if (!bEnded) throw CTEmfError("no end record", bytes.size());
    if (records.size() != header.nRecords)
        throw CTEmfError("header counts " + std::to_string(header.nRecords) + " records, the file holds " +
                             std::to_string(records.size()), 52);
    if (pHeader) *pHeader = header;
    return records;
}

TSize EmfPixelSize(const TEmfHeader& h) {
    if (h.millimeters.cx <= 0 || h.millimeters.cy <= 0 || h.device.cx <= 0 || h.device.cy <= 0)
        return {ClampCoordinate(std::int64_t(h.bounds.Right) - h.bounds.Left + 1),
                ClampCoordinate(std::int64_t(h.bounds.Bottom) - h.bounds.Top + 1)};
    const auto px = [](std::int64_t nHundredths, int nDevice, int nMillimeters) {
        const double v = std::round(double(nHundredths) * nDevice / (nMillimeters * 100.0));
        return v > kMaxCoordinate || v < -kMaxCoordinate ? 0 : int(v);
    };
    return {px(std::int64_t(h.frame.Right) - h.frame.Left + 1, h.device.cx, h.millimeters.cx),
            px(std::int64_t(h.frame.Bottom) - h.frame.Top + 1, h.device.cy, h.millimeters.cy)};
}

namespace {

std::string Hex(std::uint32_t n) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%08X", n);
    return buf;
}

std::string IntList(std::string_view rec, std::size_t nFrom, std::size_t nCount) {
    std::string s;
    for (std::size_t i = 0; i < nCount; ++i) s += (i ? "," : "") + std::to_string(ReadI32(rec, nFrom + 4 * i));
    return s;
}

std::string PointsText(std::uint32_t t, std::string_view rec) {
    const std::size_t n = ReadU32(rec, 24);
    std::string s = " bounds=" + IntList(rec, 8, 4) + " points=";
    for (std::size_t i = 0; i < n; ++i) {
        const bool b16 = IsPoints16(t);
        const std::size_t p = 28 + i * (b16 ? 4 : 8);
        const int x = b16 ? ReadI16(rec, p) : ReadI32(rec, p);
        const int y = b16 ? ReadI16(rec, p + 2) : ReadI32(rec, p + 4);
        s += (i ? " " : "") + std::to_string(x) + "," + std::to_string(y);
    }
    return s;
}

std::u16string Utf16At(std::string_view rec, std::size_t nAt, std::size_t nChars) {
    std::u16string s;
    for (std::size_t i = 0; i < nChars; ++i) s += char16_t(ReadU16(rec, nAt + 2 * i));
    return s;
}

std::u16string FaceName(std::string_view rec) {
    std::u16string face = Utf16At(rec, 12 + 28, 32);
    return face.substr(0, face.find(u'\0'));
}

std::string TextRecordText(std::string_view rec) {
    const std::size_t n = ReadU32(rec, 44);
    std::string s = " ref=" + IntList(rec, 36, 2) + " options=" + std::to_string(ReadU32(rec, 52)) +
                    " rect=" + IntList(rec, 56, 4) + " \"" + Utf16ToUtf8(Utf16At(rec, ReadU32(rec, 48), n)) + "\"";
    if (const std::uint32_t nDx = ReadU32(rec, 72); nDx != 0 && n > 0) s += " dx=" + IntList(rec, nDx, n);
    return s;
}

std::string BitmapRecordText(std::string_view rec) {
    std::string s = " dest=" + IntList(rec, 24, 2) + "," + IntList(rec, 72, 2) + " src=" + IntList(rec, 32, 4) +
                    " rop=" + Hex(ReadU32(rec, 68));
    const std::size_t nInfo = ReadU32(rec, 48);
    if (ReadU32(rec, 52) >= 16)
        s += " dib=" + std::to_string(ReadI32(rec, nInfo + 4)) + "x" + std::to_string(ReadI32(rec, nInfo + 8)) + "x" +
             std::to_string(ReadU16(rec, nInfo + 14));
    return s;
}

std::string RecordText(const TEmfRecord& r, std::string_view rec) {
    const std::uint32_t t = r.nType;
    if (FixedSize(t) == 12) return " " + (t == EMR_SETTEXTCOLOR || t == EMR_SETBKCOLOR ? Hex(ReadU32(rec, 8)) : std::to_string(ReadU32(rec, 8)));
    switch (t) {
    case EMR_MOVETOEX: case EMR_LINETO: return " " + IntList(rec, 8, 2);
    case EMR_RECTANGLE: case EMR_ELLIPSE: return " " + IntList(rec, 8, 4);
    case EMR_ROUNDRECT: return " " + IntList(rec, 8, 6);
    case EMR_ARC: return " " + IntList(rec, 8, 8);
    case EMR_CREATEPEN:
        return " ih=" + std::to_string(ReadU32(rec, 8)) + " style=" + std::to_string(ReadU32(rec, 12)) +
               " width=" + std::to_string(ReadI32(rec, 16)) + " color=" + Hex(ReadU32(rec, 24));
    case EMR_CREATEBRUSHINDIRECT:
        return " ih=" + std::to_string(ReadU32(rec, 8)) + " style=" + std::to_string(ReadU32(rec, 12)) +
               " color=" + Hex(ReadU32(rec, 16)) + " hatch=" + std::to_string(ReadU32(rec, 20));
    case EMR_EXTCREATEFONTINDIRECTW:
        return " ih=" + std::to_string(ReadU32(rec, 8)) + " height=" + std::to_string(ReadI32(rec, 12)) +
               " weight=" + std::to_string(ReadI32(rec, 28)) + " italic=" + std::to_string(std::uint8_t(rec[32])) +
               " underline=" + std::to_string(std::uint8_t(rec[33])) + " strikeout=" + std::to_string(std::uint8_t(rec[34])) +
               " face=\"" + Utf16ToUtf8(FaceName(rec)) + "\"";
    case EMR_EXTTEXTOUTW: return TextRecordText(rec);
    case EMR_STRETCHDIBITS: return BitmapRecordText(rec);
    case EMR_EOF: return "";
    default:
        if (IsPoints16(t) || IsPoints32(t)) return PointsText(t, rec);
        return " size=" + std::to_string(rec.size());
    }
}

}  // namespace

std::string DumpEmf(std::string_view bytes) {
    TEmfHeader h;
    const auto records = ReadEmfRecords(bytes, &h);
    std::string out = "0 HEADER bounds=" + std::to_string(h.bounds.Left) + "," + std::to_string(h.bounds.Top) + "," +
                      std::to_string(h.bounds.Right) + "," + std::to_string(h.bounds.Bottom) +
                      " frame=" + std::to_string(h.frame.Left) + "," + std::to_string(h.frame.Top) + "," +
                      std::to_string(h.frame.Right) + "," + std::to_string(h.frame.Bottom) +
                      " bytes=" + std::to_string(h.nBytes) + " records=" + std::to_string(h.nRecords) +
                      " handles=" + std::to_string(h.nHandles) + "\n";
    for (std::size_t i = 1; i < records.size(); ++i) {
        const TEmfRecord& r = records[i];
        out += std::to_string(r.nOffset) + " " + Name(r.nType) + RecordText(r, bytes.substr(r.nOffset, r.body.size() + 8)) + "\n";
    }
    return out;
}

namespace {

struct TFontObject {
    TFont font;
    int nEm = 0;
};
using TObject = std::variant<TPen, TBrush, TFontObject>;

TPenStyle PenStyleOf(std::uint32_t nStyle) {
    const std::uint32_t s = nStyle & 0x0F;
    return s <= psInsideFrame ? TPenStyle(s) : psSolid;
}

TBrush BrushOf(std::uint32_t nStyle, TColor nColor, std::uint32_t nHatch) {
    if (nStyle == BS_NULL) return {clBlack, bsClear};
    if (nStyle == BS_HATCHED && nHatch <= 5) return {nColor, TBrushStyle(bsHorizontal + nHatch)};
    return {nColor, bsSolid};
}

std::optional<TObject> StockObject(std::uint32_t n) {
    switch (n) {
    case WHITE_BRUSH: return TBrush{clWhite, bsSolid};
    case LTGRAY_BRUSH: return TBrush{RGBColor(192, 192, 192), bsSolid};
    case GRAY_BRUSH: return TBrush{RGBColor(128, 128, 128), bsSolid};
    case DKGRAY_BRUSH: return TBrush{RGBColor(64, 64, 64), bsSolid};
    case BLACK_BRUSH: return TBrush{clBlack, bsSolid};
    case NULL_BRUSH: return TBrush{clBlack, bsClear};
    case WHITE_PEN: return TPen{clWhite, pmCopy, 1, psSolid};
    case BLACK_PEN: return TPen{clBlack, pmCopy, 1, psSolid};
    case NULL_PEN: return TPen{clBlack, pmCopy, 0, psClear};
    default: return std::nullopt;  // stock fonts and palettes keep what is selected
    }
}

// Picture pixels onto the destination rectangle.
class TMapping {
public:
    TMapping(const TEmfHeader& h, const TRect& dest) : v_dest(dest) {
        const TSize size = EmfPixelSize(h);
        v_sx = size.cx > 0 ? double(dest.Width()) / size.cx : 1.0;
        v_sy = size.cy > 0 ? double(dest.Height()) / size.cy : 1.0;
        const TSize origin = h.millimeters.cx > 0 && h.millimeters.cy > 0
            ? TSize{int(std::lround(h.frame.Left * double(h.device.cx) / (h.millimeters.cx * 100.0))),
                    int(std::lround(h.frame.Top * double(h.device.cy) / (h.millimeters.cy * 100.0)))}
            : TSize{h.bounds.Left, h.bounds.Top};
        v_ox = origin.cx, v_oy = origin.cy;
    }
    int X(std::int64_t x) const { return Clamp(v_dest.Left + double(x - v_ox) * v_sx); }
    int Y(std::int64_t y) const { return Clamp(v_dest.Top + double(y - v_oy) * v_sy); }
    int W(std::int64_t w) const { return Clamp(double(w) * v_sx); }
    int H(std::int64_t h) const { return Clamp(double(h) * v_sy); }

private:
    static int Clamp(double v) {
        const double r = std::round(v);
        if (!(r > -kMaxCoordinate)) return -kMaxCoordinate;  // also NaN
        return r >= kMaxCoordinate ? kMaxCoordinate : int(r);
    }
    TRect v_dest;
    double v_sx = 1, v_sy = 1;
    int v_ox = 0, v_oy = 0;
};

class TPlayer {
public:
    TPlayer(CTDeviceCanvas& canvas, const TMapping& map) : v_canvas(canvas), v_map(map) {}

    void Play(const TEmfRecord& r, std::string_view rec) {
        const std::uint32_t t = r.nType;
        switch (t) {
        case EMR_SETROP2: v_mode = PenModeOf(ReadU32(rec, 8)); break;
        case EMR_SETTEXTCOLOR: v_textColor = ReadU32(rec, 8) & 0xFFFFFF; break;
        case EMR_SETBKMODE: v_opaque = ReadU32(rec, 8) == OPAQUE; break;
        case EMR_SETBKCOLOR: v_bkColor = ReadU32(rec, 8) & 0xFFFFFF; break;
        case EMR_CREATEPEN:
            v_objects[ReadU32(rec, 8)] = TPen{ReadU32(rec, 24) & 0xFFFFFF, pmCopy, ReadI32(rec, 16), PenStyleOf(ReadU32(rec, 12))};
            break;
        case EMR_CREATEBRUSHINDIRECT:
            v_objects[ReadU32(rec, 8)] = BrushOf(ReadU32(rec, 12), ReadU32(rec, 16) & 0xFFFFFF, ReadU32(rec, 20));
            break;
        case EMR_EXTCREATEFONTINDIRECTW: v_objects[ReadU32(rec, 8)] = FontOf(rec); break;
        case EMR_SELECTOBJECT: Select(ReadU32(rec, 8)); break;
        case EMR_DELETEOBJECT: v_objects.erase(ReadU32(rec, 8)); break;
        case EMR_MOVETOEX: v_canvas.MoveTo(v_map.X(ReadI32(rec, 8)), v_map.Y(ReadI32(rec, 12))); break;
        case EMR_LINETO:
            UseLine();
            v_canvas.LineTo(v_map.X(ReadI32(rec, 8)), v_map.Y(ReadI32(rec, 12)));
            break;
        case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_ROUNDRECT: PlayShape(t, rec); break;
        case EMR_ARC:
            UseLine();
            v_canvas.Arc(X(rec, 8), Y(rec, 12), X(rec, 16), Y(rec, 20), X(rec, 24), Y(rec, 28), X(rec, 32), Y(rec, 36));
            break;
        case EMR_EXTTEXTOUTW: PlayText(rec); break;
        case EMR_STRETCHDIBITS: PlayBitmap(rec); break;
        default:
            if (IsPoints16(t) || IsPoints32(t)) PlayPoints(t, rec);
        }
    }

private:
    int X(std::string_view rec, std::size_t at) const { return v_map.X(ReadI32(rec, at)); }
    int Y(std::string_view rec, std::size_t at) const { return v_map.Y(ReadI32(rec, at)); }

    // A part given by an offset and a length at nAt; checked to fit, but an
    // empty part may name any offset.
    static std::string_view Part(std::string_view rec, std::size_t nAt) {
        const std::uint32_t nLen = ReadU32(rec, nAt + 4);
        return nLen == 0 ? std::string_view() : rec.substr(ReadU32(rec, nAt), nLen);
    }
    static TPenMode PenModeOf(std::uint32_t nRop2) {
        for (int m = 0; m < 16; ++m)
            if (kRop2OfPenMode[m] == nRop2) return TPenMode(m);
        return pmCopy;
    }
    static TFontObject FontOf(std::string_view rec) {
        TFontObject f;
        const std::int64_t nHeight = ReadI32(rec, 12);
        f.nEm = ClampCoordinate(nHeight < 0 ? -nHeight : nHeight);
        f.font.Name = Utf16ToUtf8(FaceName(rec));
        if (ReadI32(rec, 28) >= 600) f.font.Style.Include(fsBold);
        if (rec[32]) f.font.Style.Include(fsItalic);
        if (rec[33]) f.font.Style.Include(fsUnderline);
        if (rec[34]) f.font.Style.Include(fsStrikeOut);
        return f;
    }
    void Select(std::uint32_t ih) {
        std::optional<TObject> o;
        if (IsStock(ih)) {
            o = StockObject(ih & ~kStockObject);
        } else if (auto it = v_objects.find(ih); it != v_objects.end()) {
            o = it->second;
        }
        if (!o) return;
        if (auto* p = std::get_if<TPen>(&*o)) v_pen = *p;
        if (auto* b = std::get_if<TBrush>(&*o)) v_brush = *b;
        if (auto* f = std::get_if<TFontObject>(&*o)) v_font = *f;
    }
    void UseLine() {
        TPen pen = v_pen;
        pen.Mode = v_mode;
        if (pen.Style != psClear) pen.Width = v_map.W(pen.Width);
        v_canvas.Pen() = pen;
    }
    void UseFill() {
        UseLine();
        v_canvas.Brush() = v_brush;
    }
    void PlayShape(std::uint32_t t, std::string_view rec) {
        UseFill();
        const int x1 = X(rec, 8), y1 = Y(rec, 12), x2 = X(rec, 16), y2 = Y(rec, 20);
        if (t == EMR_RECTANGLE) v_canvas.Rectangle(x1, y1, x2, y2);
        if (t == EMR_ELLIPSE) v_canvas.Ellipse(x1, y1, x2, y2);
        if (t == EMR_ROUNDRECT) v_canvas.RoundRect(x1, y1, x2, y2, v_map.W(ReadI32(rec, 24)), v_map.H(ReadI32(rec, 28)));
    }
    void PlayPoints(std::uint32_t t, std::string_view rec) {
        const std::size_t n = ReadU32(rec, 24);
        std::vector<TPoint> points(n);
        for (std::size_t i = 0; i < n; ++i) {
            const bool b16 = IsPoints16(t);
            const std::size_t p = 28 + i * (b16 ? 4 : 8);
            points[i] = {v_map.X(b16 ? ReadI16(rec, p) : ReadI32(rec, p)), v_map.Y(b16 ? ReadI16(rec, p + 2) : ReadI32(rec, p + 4))};
        }
        if (t == EMR_POLYGON || t == EMR_POLYGON16) {
            UseFill();
            v_canvas.Polygon(points);
        } else {
            UseLine();
            if (IsBezier(t)) v_canvas.PolyBezier(points);
            else v_canvas.Polyline(points);
        }
    }
    void PlayText(std::string_view rec) {
        TFont font = v_font.font;
        const int nEm = v_map.H(v_font.nEm);
        font.Size = int(std::lround(nEm * 72.0 / 96.0));
        font.Color = v_textColor;
        v_canvas.Font() = font;
        v_canvas.Brush() = v_opaque ? TBrush{v_bkColor, bsSolid} : TBrush{clBlack, bsClear};
        const std::size_t n = ReadU32(rec, 44);
        v_canvas.TextOut(X(rec, 36), Y(rec, 40), Utf16ToUtf8(Utf16At(rec, ReadU32(rec, 48), n)));
    }
    void PlayBitmap(std::string_view rec) {
        const CTGraphic dib = DecodeDib(Part(rec, 48), Part(rec, 56));
        if (dib.IsEmpty()) return;  // an undecodable bitmap draws nothing
        const std::int64_t x = ReadI32(rec, 24), y = ReadI32(rec, 28);
        const TRect dest{v_map.X(x), v_map.Y(y), v_map.X(x + ReadI32(rec, 72)), v_map.Y(y + ReadI32(rec, 76))};
        v_canvas.StretchDraw(dest, dib.Raster(), ReadU32(rec, 68));
    }

    CTDeviceCanvas& v_canvas;
    const TMapping& v_map;
    std::map<std::uint32_t, TObject> v_objects;
    TPen v_pen{clBlack, pmCopy, 1, psSolid};
    TBrush v_brush{clWhite, bsSolid};
    TFontObject v_font{TFont{"Arial", 10, {}, clBlack}, 13};
    TPenMode v_mode = pmCopy;
    TColor v_textColor = clBlack;
    TColor v_bkColor = clWhite;
    bool v_opaque = true;
};

}  // namespace

void PlayEmf(std::string_view bytes, CTDeviceCanvas& canvas, const TRect& dest) {
    TEmfHeader header;
    const auto records = ReadEmfRecords(bytes, &header);
    const TPen pen = canvas.Pen();
    const TBrush brush = canvas.Brush();
    const TFont font = canvas.Font();
    const TMapping map(header, dest);
    TPlayer player(canvas, map);
    for (const TEmfRecord& r : records) player.Play(r, bytes.substr(r.nOffset, r.body.size() + 8));
    canvas.Pen() = pen;
    canvas.Brush() = brush;
    canvas.Font() = font;
}

}  // namespace brumalis::graphics
