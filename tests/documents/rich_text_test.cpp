#include <gtest/gtest.h>

#include "documents/doc_output.h"

namespace brumalis {
namespace {

using graphics::TFontStyles;

// Writes down the calls the base class makes, with the normal font in force.
class TRecordingOutput : public CTDocOutput {
public:
    TRecordingOutput() : CTDocOutput("test", nullptr) {}

    void TextStyle(const std::string& sz, TFontStyles st, graphics::TColor c, int nTabs) override {
        calls.push_back("style " + Describe(sz, st, c) + " tabs=" + std::to_string(nTabs) + " font=" + v_normalFont.Name);
    }
    void TextWriteln() override { calls.push_back("writeln"); }
    void TextCenter(const std::string& sz, TFontStyles st, graphics::TColor c) override {
        calls.push_back("center " + Describe(sz, st, c));
    }
    void TextLeft(const std::string& sz, TFontStyles st, graphics::TColor c) override {
        calls.push_back("left " + Describe(sz, st, c));
    }
    using CTDocOutput::TextLeft;
    void TextRight(const std::string& sz, TFontStyles st, graphics::TColor c) override {
        calls.push_back("right " + Describe(sz, st, c));
    }
    void NewPage() override {}
    void PutDocTable(CTDocTable&) override {}
    void PutGraphic(double, const graphics::CTGraphic&, bool) override {}
    void TextWithFont(const graphics::TFont&, const std::string&, bool) override {}

    std::vector<std::string> calls;

private:
    static std::string Describe(const std::string& sz, TFontStyles st, graphics::TColor c) {
        return "[" + sz + "] st=" + std::to_string(st.Bits()) + " c=" + std::to_string(c);
    }
};

TEST(RichText, UniformParagraphsGoOutWholeWithTheirAlignmentOrBullet) {
    CTRichText rich;
    rich.font = graphics::TFont{"Courier New", 9, {}, graphics::clWindowText};
    rich.runs = {{"Right\r\nCentre\rBullet\nPlain\r\n\r\n", {graphics::fsBold}, graphics::clRed}};
    rich.paragraphs = {{graphics::taRightJustify, false}, {graphics::taCenter, false}, {graphics::taLeftJustify, true}};
    TRecordingOutput out;
    out.PutRichText(rich);
    const std::vector<std::string> expected = {
        "right [Right] st=1 c=255",
        "writeln",
        "center [Centre] st=1 c=255",
        "writeln",
        "style [\xE2\x80\xA2] st=1 c=255 tabs=0 font=Courier New",
        "style [Bullet] st=1 c=255 tabs=1 font=Courier New",
        "style [Plain] st=1 c=255 tabs=0 font=Courier New",
        "writeln",
        "writeln",
    };
    EXPECT_EQ(out.calls, expected);
    graphics::TFont normal;
    out.GetNormalFontCharacteristics(normal);
    EXPECT_EQ(normal.Name, "Arial");
}

TEST(RichText, MixedParagraphsGoOutWordByWordInEachWordsOwnStyle) {
    CTRichText rich;
    rich.runs = {{"Cooling ", {}, graphics::clWindowText},
                 {"350 kW", {graphics::fsBold}, graphics::clBlue},
                 {"\tat\x01 7 \xC2\xB0" "C", {}, graphics::clWindowText}};
    rich.paragraphs = {{graphics::taRightJustify, false}};
    TRecordingOutput out;
    out.PutRichText(rich);
    const std::string szBlack = std::to_string(graphics::clWindowText);
    const std::vector<std::string> expected = {
        "style [Cooling] st=0 c=" + szBlack + " tabs=0 font=Arial",
        "style [ 350] st=1 c=16711680 tabs=0 font=Arial",
        "style [ kW] st=1 c=16711680 tabs=0 font=Arial",
        "style [\tat\x01] st=0 c=" + szBlack + " tabs=0 font=Arial",
        "style [ 7] st=0 c=" + szBlack + " tabs=0 font=Arial",
        "style [ \xC2\xB0" "C] st=0 c=" + szBlack + " tabs=0 font=Arial",
    };
    EXPECT_EQ(out.calls, expected);
}

}  // namespace
}  // namespace brumalis
