#include "platform/graphics/picture.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "bench/jpeg_samples.h"

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/recording_canvas.h"

namespace brumalis::graphics {
namespace {

// A bitmap file: header size, depth, compression, palette, masks and rows
// as given (rows already padded to 4 bytes, in file order).
struct TBmpSpec {
    std::uint32_t nHeader = 40;
    int nWidth = 2;
    int nHeight = 2;  // negative: top-down
    int nBits = 24;
    std::uint32_t nCompression = 0;
    std::vector<std::uint32_t> palette = {};  // 0x00RRGGBB
    std::vector<std::uint32_t> masks = {};  // written after a 40-byte header, inside a longer one
    std::string rows = {};
};

std::string MakeBmp(const TBmpSpec& s) {
    std::string info;
    PutU32(info, s.nHeader);
    if (s.nHeader == 12) {
        PutU16(info, std::uint32_t(s.nWidth));
        PutU16(info, std::uint32_t(s.nHeight));
        PutU16(info, 1);
        PutU16(info, std::uint32_t(s.nBits));
    } else {
        PutI32(info, s.nWidth);
        PutI32(info, s.nHeight);
        PutU16(info, 1);
        PutU16(info, std::uint32_t(s.nBits));
        PutU32(info, s.nCompression);
        PutU32(info, std::uint32_t(s.rows.size()));
        PutU32(info, 2835);
        PutU32(info, 2835);
        PutU32(info, std::uint32_t(s.palette.size()));
        PutU32(info, 0);
        if (s.nHeader > 40) {
            for (std::size_t i = 0; i < 4; ++i) PutU32(info, i < s.masks.size() ? s.masks[i] : 0);
            info.resize(s.nHeader, '\0');
        } else {
            for (std::uint32_t m : s.masks) PutU32(info, m);
        }
    }
    for (std::uint32_t c : s.palette) {
        info += char(c & 0xFF), info += char((c >> 8) & 0xFF), info += char((c >> 16) & 0xFF);
        if (s.nHeader != 12) info += '\0';
    }
    std::string file = "BM";
    PutU32(file, std::uint32_t(14 + info.size() + s.rows.size()));
    PutU32(file, 0);
    PutU32(file, std::uint32_t(14 + info.size()));
    return file + info + s.rows;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += char(v);
    return s;
}

void ExpectPixels(const CTGraphic& g, std::initializer_list<TColor> colors, int nWidth) {
    ASSERT_EQ(g.Kind(), TGraphicKind::Raster) << g.Reason();
    int i = 0;
    for (TColor c : colors) {
        EXPECT_EQ(g.Raster().Pixel(i % nWidth, i / nWidth), c) << "pixel " << i;
        ++i;
    }
}

TEST(BmpReaderTest, PalettedDepths) {
    // Bottom-up: the first row in the file is the picture's last.
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 3, .nBits = 1, .palette = {0x000000, 0xFFFFFF},
                                    .rows = Bytes({0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0})})),
                 {clWhite, clBlack, clWhite, clBlack, clWhite, clBlack}, 3);
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 3, .nHeight = -1, .nBits = 4, .palette = {0xFF0000, 0x00FF00, 0x0000FF},
                                    .rows = Bytes({0x21, 0x00, 0, 0})})),
                 {clBlue, clLime, clRed}, 3);
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 2, .nHeight = -1, .nBits = 8, .palette = {0x102030, 0x405060},
                                    .rows = Bytes({1, 0, 0, 0})})),
                 {RGBColor(0x40, 0x50, 0x60), RGBColor(0x10, 0x20, 0x30)}, 2);
    // An index beyond a short palette is black, as GDI shows it.
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 1, .nHeight = 1, .nBits = 8, .palette = {0xFFFFFF}, .rows = Bytes({9, 0, 0, 0})})),
                 {clBlack}, 1);
}

TEST(BmpReaderTest, DirectColourDepthsAndMasks) {
    // 16 bits, 5-5-5 by default: 0x7C00 is full red.
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 2, .nHeight = -1, .nBits = 16, .rows = Bytes({0x00, 0x7C, 0x1F, 0x00})})),
                 {clRed, clBlue}, 2);
    // 16 bits with 5-6-5 masks after the header.
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 2, .nHeight = -1, .nBits = 16, .nCompression = 3,
                                    .masks = {0xF800, 0x07E0, 0x001F}, .rows = Bytes({0xE0, 0x07, 0x00, 0x84})})),
                 {clLime, RGBColor(132, 130, 0)}, 2);
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 1, .nHeight = 2, .nBits = 24, .rows = Bytes({1, 2, 3, 0, 4, 5, 6, 0})})),
                 {RGBColor(6, 5, 4), RGBColor(3, 2, 1)}, 1);
    // A colour table in a direct-colour bitmap is only an optimisation hint.
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 1, .nHeight = 1, .nBits = 24, .palette = {0x123456, 0x654321},
                                    .rows = Bytes({1, 2, 3, 0})})),
                 {RGBColor(3, 2, 1)}, 1);
    ExpectPixels(DecodeBmp(MakeBmp({.nWidth = 1, .nHeight = -1, .nBits = 32, .rows = Bytes({7, 8, 9, 0xFF})})),
                 {RGBColor(9, 8, 7)}, 1);
    // A version-5 header with its masks inside: blue in the high byte.
    ExpectPixels(DecodeBmp(MakeBmp({.nHeader = 124, .nWidth = 1, .nHeight = -1, .nBits = 32, .nCompression = 3,
                                    .masks = {0x000000FF, 0x0000FF00, 0xFF000000}, .rows = Bytes({10, 20, 0, 30})})),
                 {RGBColor(10, 20, 30)}, 1);
    // The old 12-byte header with a three-byte palette.
    ExpectPixels(DecodeBmp(MakeBmp({.nHeader = 12, .nWidth = 2, .nHeight = 1, .nBits = 8, .palette = {0x112233, 0x445566},
                                    .rows = Bytes({0, 1, 0, 0})})),
                 {RGBColor(0x11, 0x22, 0x33), RGBColor(0x44, 0x55, 0x66)}, 2);
}

void ExpectFailure(const CTGraphic& g, const std::string& szWhat) {
    EXPECT_TRUE(g.IsEmpty());
    EXPECT_EQ(g.Width(), 0);
    EXPECT_NE(g.Reason().find(szWhat), std::string::npos) << g.Reason();
}

TEST(BmpReaderTest, DamagedAndUnsupportedBitmapsGiveAReason) {
    const TBmpSpec good{.nWidth = 2, .nHeight = 2, .nBits = 24, .rows = std::string(16, '\x40')};
    const std::string file = MakeBmp(good);
    ExpectFailure(DecodeBmp(file.substr(0, file.size() - 1)), "truncated");
    ExpectFailure(DecodeBmp(file.substr(0, 30)), "");
    TBmpSpec huge = good;
    huge.nWidth = 100000;
    huge.nHeight = 100000;
    ExpectFailure(DecodeBmp(MakeBmp(huge)), "outside 1 to 16384");
    TBmpSpec rle = good;
    rle.nBits = 8;
    rle.nCompression = 1;
    ExpectFailure(DecodeBmp(MakeBmp(rle)), "run-length");
    TBmpSpec depth = good;
    depth.nBits = 2;
    ExpectFailure(DecodeBmp(MakeBmp(depth)), "depth of 2 bits");
    TBmpSpec header = good;
    header.nHeader = 64;
    ExpectFailure(DecodeBmp(MakeBmp(header)), "header size 64");
    ExpectFailure(DecodeBmp("BM"), "not a bitmap");
    TBmpSpec zero = good;
    zero.nWidth = 0;
    ExpectFailure(DecodeBmp(MakeBmp(zero)), "outside");
}

// A JPEG of w x h pixels, every pixel the given components.
std::string EncodeJpeg(int w, int h, J_COLOR_SPACE space, std::vector<JSAMPLE> pixel) {
    return EncodeSampleJpeg(w, h, int(pixel.size()), space, 100, [&](int, JSAMPLE* row) {
        for (int x = 0; x < w; ++x) std::copy(pixel.begin(), pixel.end(), row + std::size_t(x) * pixel.size());
    });
}

void ExpectNear(TColor actual, TColor expected) {
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), 2);
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), 2);
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), 2);
}

TEST(JpegReaderTest, ColourGreyscaleAndCmykBecomeRgb) {
    const CTGraphic rgb = DecodeJpeg(EncodeJpeg(16, 8, JCS_RGB, {200, 100, 50}));
    ASSERT_EQ(rgb.Kind(), TGraphicKind::Raster) << rgb.Reason();
    EXPECT_EQ(rgb.Width(), 16);
    EXPECT_EQ(rgb.Height(), 8);
    ExpectNear(rgb.Raster().Pixel(15, 7), RGBColor(200, 100, 50));
    const CTGraphic grey = DecodeJpeg(EncodeJpeg(8, 8, JCS_GRAYSCALE, {90}));
    ASSERT_FALSE(grey.IsEmpty()) << grey.Reason();
    ExpectNear(grey.Raster().Pixel(3, 3), RGBColor(90, 90, 90));
    // Adobe's convention (libjpeg writes its marker): 255 means no ink.
    const CTGraphic paper = DecodeJpeg(EncodeJpeg(8, 8, JCS_CMYK, {255, 255, 255, 255}));
    ASSERT_FALSE(paper.IsEmpty()) << paper.Reason();
    ExpectNear(paper.Raster().Pixel(0, 0), clWhite);
    ExpectNear(DecodeJpeg(EncodeJpeg(8, 8, JCS_CMYK, {0, 255, 255, 255})).Raster().Pixel(1, 1), clAqua);
    ExpectNear(DecodeJpeg(EncodeJpeg(8, 8, JCS_CMYK, {255, 255, 255, 0})).Raster().Pixel(1, 1), clBlack);
}

TEST(JpegReaderTest, DamagedJpegsGiveAReason) {
    const std::string good = EncodeJpeg(64, 64, JCS_RGB, {1, 2, 3});
    const std::size_t sos = good.find("\xFF\xDA");
    ASSERT_NE(sos, std::string::npos);
    ExpectFailure(DecodeJpeg(good.substr(0, sos + 40)), "truncated");
    ExpectFailure(DecodeJpeg(good.substr(0, 20)), "JPEG");
    ExpectFailure(DecodeJpeg("\xFF\xD8 not really"), "JPEG");
    ExpectFailure(DecodeJpeg("GIF89a"), "not a JPEG");
    // A frame header claiming 20000 x 20000 pixels.
    std::string huge = good;
    const std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = char(20000 >> 8), huge[sof + 6] = char(20000 & 0xFF);
    huge[sof + 7] = char(20000 >> 8), huge[sof + 8] = char(20000 & 0xFF);
    ExpectFailure(DecodeJpeg(huge), "outside 1 to 16384");
    huge[sof + 5] = char(16000 >> 8), huge[sof + 6] = char(16000 & 0xFF);
    huge[sof + 7] = char(16000 >> 8), huge[sof + 8] = char(16000 & 0xFF);
    ExpectFailure(DecodeJpeg(huge), "too short");
}

TEST(PictureTest, ARasterBecomesAMetafileOnceAndCopiesShareIt) {
    CTRaster raster(3, 2);
    raster.SetPixel(2, 1, clWindowText);
    raster.SetPixel(0, 0, clRed);
    const CTGraphic g = CTGraphic::FromRaster(raster);
    const CTGraphic copy = g;
    const std::string& bytes = g.MetafileBytes();
    EXPECT_EQ(&bytes, &copy.MetafileBytes());
    const CTGraphic emf = DecodeEmf(bytes);
    ASSERT_TRUE(emf.IsMetafile()) << emf.Reason();
    EXPECT_EQ(emf.Width(), 3);
    EXPECT_EQ(emf.Height(), 2);
    CTRecordingCanvas canvas;
    CTRaster replayed;
    struct TGrab : CTRecordingCanvas {
        CTRaster* pOut;
        void StretchDraw(const TRect& r, const CTRaster& raster, std::uint32_t nRop) override {
            *pOut = raster;
            CTRecordingCanvas::StretchDraw(r, raster, nRop);
        }
    } grab;
    grab.pOut = &replayed;
    PlayEmf(bytes, grab, {0, 0, 3, 2});
    ASSERT_EQ(replayed.Width(), 3);
    EXPECT_EQ(replayed.Pixel(0, 0), clRed);
    EXPECT_EQ(replayed.Pixel(2, 1), clBlack);
    EXPECT_EQ(replayed.Pixel(1, 1), clBlack);
    EXPECT_TRUE(CTGraphic().MetafileBytes().empty());
}

TEST(PictureTest, PicturesAreToldApartBySignature) {
    EXPECT_EQ(DecodePicture(EncodeJpeg(8, 8, JCS_RGB, {0, 0, 0})).Kind(), TGraphicKind::Raster);
    EXPECT_EQ(DecodePicture(MakeBmp({.nWidth = 1, .nHeight = 1, .rows = Bytes({0, 0, 0, 0})})).Kind(), TGraphicKind::Raster);
    CTEmfCanvas emf(7, 5);
    EXPECT_EQ(DecodePicture(emf.Finish()).Kind(), TGraphicKind::Metafile);
    ExpectFailure(DecodePicture("PNG?"), "unknown picture format");
    ExpectFailure(DecodePicture(""), "no picture data");
    ExpectFailure(LoadPictureFile("/nonexistent/logo.bmp"), "cannot open");
    CTEmfCanvas broken(7, 5);
    std::string bytes = broken.Finish();
    bytes[60] = 1;  // handle count 1 cuts nothing, but a wrong record count does:
    PatchU32(bytes, 52, 99);
    ExpectFailure(DecodeEmf(bytes), "header counts 99 records");
}

TEST(PictureTest, RasterSidesAreBounded) {
    EXPECT_THROW(CTRaster(0, 5), std::invalid_argument);
    EXPECT_THROW(CTRaster(16385, 1), std::invalid_argument);
    EXPECT_NO_THROW(CTRaster(16384, 1));
    EXPECT_TRUE(CTGraphic::FromRaster(CTRaster()).IsEmpty());
}

}  // namespace
}  // namespace brumalis::graphics
