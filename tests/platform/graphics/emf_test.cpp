#include "platform/graphics/emf.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/recording_canvas.h"

namespace brumalis::graphics {
namespace {

CTRaster Checkerboard(int w, int h) {
    CTRaster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) r.SetPixel(x, y, (x + y) % 2 ? clRed : RGBColor(10, 200, 30));
    return r;
}

// One call of every kind the metafile keeps, with varied state.
void DrawEveryKind(CTDeviceCanvas& c) {
    c.Pen() = {clNavy, pmCopy, 1, psDot};
    c.MoveTo(1, 2);
    c.LineTo(50, 2);
    c.Pen() = {clWindowText, pmXor, 3, psSolid};
    c.Brush() = {clYellow, bsDiagCross};
    c.Rectangle(5, 5, 20, 15);
    c.Pen().Style = psClear;
    c.RoundRect(0, 0, 30, 30, 6, 8);
    c.Pen() = {RGBColor(1, 2, 3), pmCopy, 2, psDashDot};
    c.Brush() = {clBtnFace, bsClear};
    c.Ellipse(10, 10, 40, 30);
    c.Arc(0, 0, 40, 40, 40, 20, 0, 20);
    const TPoint line[] = {{0, 0}, {10, 5}, {20, 0}};
    c.Polyline(line);
    c.Brush() = {clLime, bsSolid};
    const TPoint small[] = {{1, 1}, {9, 1}, {5, 8}};
    c.Polygon(small);
    const TPoint large[] = {{0, 0}, {70000, 0}, {0, -40000}};
    c.Polygon(large);
    const TPoint bezier[] = {{0, 0}, {5, 10}, {15, 10}, {20, 0}, {25, -10}, {35, -10}, {40, 0}};
    c.PolyBezier(bezier);
    c.Font() = {"Tahoma", 12, {fsBold, fsItalic, fsUnderline}, clMaroon};
    c.TextOut(3, 4, "Opaque Ж");
    c.Brush().Style = bsClear;
    c.Font() = {"Courier New", 9, {fsStrikeOut}, clWindowText};
    c.TextOut(3, 30, "clear");
    c.StretchDraw({2, 3, 10, 9}, Checkerboard(3, 2), SRCAND);
    c.StretchDraw({0, 0, 5, 5}, Checkerboard(1, 1), SRCCOPY);
}

std::vector<std::string> Replayed(const std::string& bytes, const TRect& dest) {
    CTRecordingCanvas replay;
    PlayEmf(bytes, replay, dest);
    return replay.Calls();
}

TEST(EmfRoundTripTest, ReplayRepeatsEveryCall) {
    CTRecordingCanvas direct;
    DrawEveryKind(direct);
    CTEmfCanvas emf(100, 80);
    DrawEveryKind(emf);
    const std::string bytes = emf.Finish();
    EXPECT_EQ(Replayed(bytes, {0, 0, 100, 80}), direct.Calls());
}

TEST(EmfRoundTripTest, PlayingIntoARectangleScalesThePicture) {
    CTEmfCanvas emf(100, 50);
    emf.Pen().Width = 2;
    emf.MoveTo(10, 10);
    emf.LineTo(50, 25);
    emf.Font().Size = 9;  // 12 pixels per em, 24 at twice the size
    emf.TextOut(0, 0, "t");
    EXPECT_EQ(Replayed(emf.Finish(), {100, 0, 300, 100}),
              (std::vector<std::string>{"MoveTo 120,20", "LineTo 200,50 pen=000000/copy/4/solid",
                                        "TextOut 100,0 \"t\" font=Arial/18//000000 bg=FFFFFF"}));
}

TEST(EmfRoundTripTest, NestedMetafilesAndRastersArePlayedIn) {
    CTEmfCanvas inner(10, 10);
    inner.LineTo(9, 9);
    const CTGraphic picture = inner.FinishGraphic();
    CTEmfCanvas outer(40, 40);
    outer.Pen().Color = clRed;
    outer.PlayMetafile({0, 0, 20, 20}, picture);
    outer.LineTo(1, 1);
    outer.PlayMetafile({0, 0, 4, 4}, CTGraphic::FromRaster(Checkerboard(2, 2)));
    const auto calls = Replayed(outer.Finish(), {0, 0, 40, 40});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], "LineTo 18,18 pen=000000/copy/2/solid");
    EXPECT_EQ(calls[1], "LineTo 1,1 pen=0000FF/copy/1/solid") << "the outer state is back after the picture";
    EXPECT_EQ(calls[2].substr(0, 27), "StretchDraw 0,0,4,4 raster=");
}

TEST(EmfWriterTest, HeaderCountsAndBounds) {
    CTEmfCanvas emf(560, 420);
    emf.LineTo(3, 3);
    const std::string bytes = emf.Finish();
    TEmfHeader h;
    const auto records = ReadEmfRecords(bytes, &h);
    EXPECT_EQ(h.nBytes, bytes.size());
    EXPECT_EQ(h.nRecords, records.size());
    EXPECT_EQ(h.bounds, (TRect{0, 0, 559, 419}));
    EXPECT_EQ(h.frame, (TRect{0, 0, 14816, 11112}));  // 560 px = 148.17 mm
    EXPECT_EQ(EmfPixelSize(h), (TSize{560, 420}));
    EXPECT_EQ(bytes.size() % 4, 0u);
    EXPECT_EQ(records.back().nType, 14u);
    EXPECT_TRUE(emf.Finish().empty()) << "a finished metafile takes nothing more";
}

TEST(EmfWriterTest, HandlesAreReusedAndStateIsWrittenOnlyOnChange) {
    CTEmfCanvas emf(100, 100);
    for (int i = 0; i < 50; ++i) {
        emf.Pen().Color = RGBColor(std::uint8_t(i), 0, 0);
        emf.Rectangle(i, i, i + 5, i + 5);
        emf.Rectangle(i, i, i + 5, i + 5);
    }
    const std::string bytes = emf.Finish();
    TEmfHeader h;
    ReadEmfRecords(bytes, &h);
    EXPECT_LE(h.nHandles, 4);
    const std::string dump = DumpEmf(bytes);
    std::size_t nPens = 0;
    for (std::size_t at = dump.find("CREATEPEN"); at != std::string::npos; at = dump.find("CREATEPEN", at + 1)) ++nPens;
    EXPECT_EQ(nPens, 50u);
}

TEST(EmfWriterTest, TextCarriesTheBuiltInWidths) {
    CTEmfCanvas emf(200, 50);
    emf.Font() = {"Arial", 10, {}, clBlack};
    emf.TextOut(0, 0, "W1");
    const std::string dump = DumpEmf(emf.Finish());
    EXPECT_NE(dump.find("\"W1\" dx=12,7"), std::string::npos) << dump;
    EXPECT_NE(dump.find("height=-13 weight=400"), std::string::npos) << dump;
}

// A figure with dotted lines, a Bézier, a filled polygon, opaque text and a bitmap.
std::string Figure() {
    CTEmfCanvas emf(120, 90);
    emf.Pen() = {clGray, pmCopy, 1, psDot};
    emf.MoveTo(10, 80);
    emf.LineTo(110, 80);
    emf.MoveTo(10, 10);
    emf.LineTo(10, 80);
    emf.Pen() = {clBlue, pmCopy, 2, psSolid};
    const TPoint curve[] = {{10, 80}, {40, 10}, {70, 70}, {110, 20}};
    emf.PolyBezier(curve);
    emf.Pen() = {clRed, pmCopy, 3, psSolid};
    emf.Brush() = {RGBColor(240, 240, 255), bsSolid};
    const TPoint area[] = {{20, 70}, {60, 30}, {100, 70}};
    emf.Polygon(area);
    emf.Brush() = {clWhite, bsSolid};
    emf.Font() = {"Arial", 8, {fsBold}, clRed};
    emf.TextOut(15, 2, "7/35");
    emf.StretchDraw({100, 0, 120, 10}, Checkerboard(2, 1), SRCCOPY);
    return emf.Finish();
}

std::string ReadFile(const std::string& szPath) {
    std::ifstream in(szPath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(EmfDumpTest, FigureMatchesItsStoredDump) {
    const std::string szGolden = std::string(BRUMALIS_GRAPHICS_DATA) + "/figure_dump.txt";
    const std::string dump = DumpEmf(Figure());
    if (std::getenv("BRUMALIS_WRITE_GOLDENS")) std::ofstream(szGolden, std::ios::binary) << dump;
    EXPECT_EQ(dump, ReadFile(szGolden));
}

// Offsets of the records of the stored figure.
std::size_t OffsetOf(const std::string& bytes, std::uint32_t nType) {
    for (const TEmfRecord& r : ReadEmfRecords(bytes))
        if (r.nType == nType) return r.nOffset;
    return 0;
}

void ExpectRefused(const std::string& bytes, std::size_t nOffset, const std::string& szWhat) {
    try {
        ReadEmfRecords(bytes);
        ADD_FAILURE() << "accepted: " << szWhat;
    } catch (const CTEmfError& e) {
        EXPECT_EQ(e.Offset(), nOffset) << e.what();
        EXPECT_NE(std::string(e.what()).find(szWhat), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("at byte " + std::to_string(nOffset)), std::string::npos) << e.what();
    }
}

TEST(EmfReaderTest, EachKindOfDamageIsRefusedWithItsOffset) {
    const std::string good = Figure();
    {
        // The end record replaced by 4 stray bytes: a record too short for its own head.
        std::string b = good.substr(0, good.size() - 20) + std::string(4, '\0');
        PatchU32(b, 48, std::uint32_t(b.size()));
        ExpectRefused(b, b.size() - 4, "short record");
    }
    {
        std::string b = good;
        const std::size_t at = OffsetOf(b, 54);  // the first LINETO
        PatchU32(b, at + 4, 18);
        ExpectRefused(b, at + 4, "bad record size 18");
        PatchU32(b, at + 4, 20);
        ExpectRefused(b, at, "LINETO of 20 bytes, expected 16");
        PatchU32(b, at + 4, 1u << 30);
        ExpectRefused(b, at, "runs past the end");
    }
    {
        std::string b = good;
        const std::size_t at = OffsetOf(b, 86);  // POLYGON16
        PatchU32(b, at + 24, 4);
        ExpectRefused(b, at, "count of 4 points does not match");
    }
    {
        std::string b = good;
        const std::size_t at = OffsetOf(b, 84);  // EXTTEXTOUTW
        PatchU32(b, at + 44, 400);
        ExpectRefused(b, at, "count of 400 characters does not fit");
    }
    {
        std::string b = good;
        PatchU32(b, 52, 3);
        ExpectRefused(b, 52, "header counts 3 records");
        b = good;
        PatchU32(b, 48, 12);
        ExpectRefused(b, 48, "header counts 12 bytes");
    }
    {
        std::string b = good;
        const std::size_t at = OffsetOf(b, 37);  // SELECTOBJECT
        PatchU32(b, at + 8, 7);
        ExpectRefused(b, at, "SELECTOBJECT of unknown handle 7");
        const std::size_t del = OffsetOf(good, 40);  // DELETEOBJECT
        b = good;
        PatchU32(b, del + 8, 3);
        ExpectRefused(b, del, "unknown handle 3");
    }
    ExpectRefused(good.substr(0, 40), 0, "holds no header");
    std::string cut = good.substr(0, good.size() - 20);
    PatchU32(cut, 48, std::uint32_t(cut.size()));
    ExpectRefused(cut, cut.size(), "no end record");
}

TEST(EmfReaderTest, AnEmptyBitmapPartMayNameAnyOffset) {
    std::string b = Figure();
    const std::size_t at = OffsetOf(b, 81);  // STRETCHDIBITS
    PatchU32(b, at + 48, 0xFFFFFF00);
    PatchU32(b, at + 52, 0);
    const auto calls = Replayed(b, {0, 0, 120, 90});
    EXPECT_EQ(calls.size(), Replayed(Figure(), {0, 0, 120, 90}).size() - 1) << "the bitmap without its header is skipped";
}

TEST(EmfReaderTest, AbsurdFontHeightsAndCoordinatesAreClamped) {
    std::string b = Figure();
    PatchU32(b, OffsetOf(b, 82) + 12, 0x80000000u);  // the font's height
    PatchU32(b, OffsetOf(b, 54) + 8, 0x7FFFFFFFu);   // the first line's end
    const auto calls = Replayed(b, {0, 0, 120, 90});
    EXPECT_NE(std::find(calls.begin(), calls.end(), "LineTo " + std::to_string(kMaxCoordinate) + ",80 pen=808080/copy/1/dot"),
              calls.end());
    CTEmfCanvas copy(120, 90);
    PlayEmf(b, copy, {0, 0, 120, 90});
    EXPECT_NO_THROW(ReadEmfRecords(copy.Finish()));
}

TEST(EmfReaderTest, ForeignRecordKindsAreKeptButNotDrawn) {
    std::string b = Figure();
    // An EMR_SETMITERLIMIT (58) record inserted before the end record.
    std::string rec;
    PutU32(rec, 58);
    PutU32(rec, 12);
    PutU32(rec, 10);
    b.insert(b.size() - 20, rec);
    PatchU32(b, 48, std::uint32_t(b.size()));
    PatchU32(b, 52, ReadU32(b, 52) + 1);
    EXPECT_NE(DumpEmf(b).find("record 58 size=12"), std::string::npos);
    EXPECT_EQ(Replayed(b, {0, 0, 120, 90}), Replayed(Figure(), {0, 0, 120, 90}));
}

}  // namespace
}  // namespace brumalis::graphics
