#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "documents/page_decorations.h"
#include "platform/graphics/emf.h"
#include "tests/documents/rtf_test_support.h"

namespace brumalis::test {
namespace {

bool Has(const std::string& text, const std::string& fragment) { return text.find(fragment) != std::string::npos; }

// Bytes standing for a metafile of 100 × 50 pixels: the writer copies them as they are.
graphics::CTGraphic SampleMetafile() {
    std::string bytes;
    for (int i = 0; i < 150; ++i) bytes += static_cast<char>(i * 7);
    return graphics::CTGraphic::FromMetafile(bytes, 100, 50);
}

class RtfPictures : public RtfTest {
protected:
    void TearDown() override {
        if (!v_file.empty()) std::remove(v_file.c_str());
        RtfTest::TearDown();
    }
    // A file of 1000 bytes (0, 1, … 255, 0, 1, …).
    const std::string& ThousandByteFile() {
        v_file = ::testing::TempDir() + "picture_" + std::to_string(getpid()) + ".jpg";
        std::string bytes;
        for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i % 256);
        std::ofstream(v_file, std::ios::binary) << bytes;
        return v_file;
    }

private:
    std::string v_file;
};

TEST_F(RtfPictures, AMetafileIsSizedByItsGoalOrForWord2000ByItsScale) {
    const graphics::CTGraphic emf = SampleMetafile();
    const std::string goal = Write([&](CTRTFOutput& out) { out.PutGraphic(0.7, emf, true); });
    // s = 0.7 × 96 / 120 = 0.56; goals 100 × 0.56 × 12 and 50 × 0.56 × 12.
    EXPECT_TRUE(Has(goal, "{\\*\\shppict {\\pict \\emfblip\\picscalex100\\picscaley100\\picwgoal672\\pichgoal336\r\n"));
    EXPECT_TRUE(Has(goal, "0C13}}\r\n\\par\r\n"));
    EXPECT_EQ(Checked(goal).pictures, std::vector<std::string>{emf.MetafileBytes()});
    ExpectGolden("emf_goal", goal);

    CTRTFOutput::SetWord2000Compatible(true);
    const std::string scaled = Write([&](CTRTFOutput& out) { out.PutGraphic(0.7, emf, false); });
    EXPECT_TRUE(Has(scaled, "{\\*\\shppict {\\pict \\emfblip\\picscalex56\\picscaley56\r\n"));
    EXPECT_FALSE(Has(scaled, "\\picwgoal"));
    EXPECT_FALSE(Has(scaled, "}}\r\n\\par"));
    EXPECT_EQ(Checked(scaled).pictures, std::vector<std::string>{emf.MetafileBytes()});
    ExpectGolden("emf_word2000", scaled);
}

TEST_F(RtfPictures, ARasterIsConvertedToAMetafileAndAnEmptyPictureIsLeftOut) {
    graphics::CTRaster raster(4, 3);
    raster.SetPixel(1, 1, graphics::clRed);
    const graphics::CTGraphic picture = graphics::CTGraphic::FromRaster(raster);
    const std::string rtf = Write([&](CTRTFOutput& out) {
        out.PutGraphic(1.0, picture, true);
        out.PutGraphic(1.0, graphics::CTGraphic(), true);
        out.PutGraphic(1.0, graphics::CTGraphic::Failed("damaged"), true);
    });
    const TRtfCheck check = Checked(rtf);
    ASSERT_EQ(check.pictures.size(), 1U);
    EXPECT_EQ(check.pictures[0], picture.MetafileBytes());
    EXPECT_NO_THROW(graphics::ReadEmfRecords(check.pictures[0]));
}

TEST_F(RtfPictures, AJpegFileGoesOutInLinesOf64BytesWithTheLastOneClosedAtOnce) {
    const std::string& szFile = ThousandByteFile();
    const std::string rtf = Write([&](CTRTFOutput& out) { out.PutGraphicFromFile(1.0, szFile, doc::kImageJpeg, 10, 10); });
    const std::string szStart = "{\\*\\shppict {\\pict \\jpegblip\\picscalex80\\picscaley80\r\n";
    const std::size_t nStart = rtf.find(szStart);
    ASSERT_NE(nStart, std::string::npos);
    std::size_t nPos = nStart + szStart.size();
    for (int line = 0; line < 15; ++line) {
        const std::size_t nEnd = rtf.find("\r\n", nPos);
        EXPECT_EQ(nEnd - nPos, 128U) << "line " << line;
        nPos = nEnd + 2;
    }
    EXPECT_EQ(rtf.substr(nPos, 80 + 10), rtf.substr(nPos, 80) + "}}\r\n\\par\r\n");
    const TRtfCheck check = Checked(rtf);
    ASSERT_EQ(check.pictures.size(), 1U);
    EXPECT_EQ(check.pictures[0].size(), 1000U);
    EXPECT_EQ(check.pictures[0][999], static_cast<char>(999 % 256));
    ExpectGolden("jpeg_file", rtf);
}

TEST_F(RtfPictures, FilePicturesWithoutSizeOfAnotherTypeOrUnreadableAreLeftOut) {
    const std::string& szFile = ThousandByteFile();
    const std::string rtf = Write([&](CTRTFOutput& out) {
        out.PutGraphicFromFile(1.0, szFile, doc::kImageJpeg, 0, 10);
        out.PutGraphicFromFile(1.0, szFile, doc::kImageJpeg, 10, 0);
        out.PutGraphicFromFile(1.0, szFile, 3, 10, 10);
        out.PutGraphicFromFile(1.0, szFile + ".missing", doc::kImageMetafile, 10, 10);
    });
    EXPECT_FALSE(Has(rtf, "\\pict"));
    EXPECT_TRUE(Has(Write([&](CTRTFOutput& out) { out.PutGraphicFromFile(0.5, szFile, doc::kImageMetafile, 1, 1); }),
                    "{\\*\\shppict {\\pict \\emfblip\\picscalex40\\picscaley40\r\n"));
}

TEST_F(RtfPictures, PictureZonesAreWrittenAtFourTenthsAndAnUnreadableFileIsSkipped) {
    graphics::CTRaster raster(10, 5);
    CTDecorationDefinition def;
    def.SetMustPrintHeaderLine(false);
    def.AddPreloadedBitmapZone(true, 0, 50, 20, graphics::CTGraphic::FromRaster(raster), true);
    def.AddBitmapZone(true, 0, 50, 20, "/nonexistent/logo.bmp");
    def.AddPreloadedBitmapZone(true, 0, 50, 20, graphics::CTGraphic::FromRaster(raster), true);
    const std::string rtf = Write([](CTRTFOutput&) {}, &def);
    // s = 0.4 × 96 / 120 = 0.32: goals 10 × 0.32 × 12 and 5 × 0.32 × 12.
    EXPECT_TRUE(Has(rtf, "\\pard \\intbl \\ql {\\*\\shppict {\\pict \\emfblip\\picscalex100\\picscaley100\\picwgoal38\\pichgoal19\r\n"));
    EXPECT_TRUE(Has(rtf, "\\pard \\intbl \\qc  \\cell\r\n"));
    EXPECT_EQ(Checked(rtf).pictures.size(), 2U);
}

}  // namespace
}  // namespace brumalis::test
