// A document writer that keeps what a notice writes as paragraphs: their
// text and whether every run of them was bold. An empty line is a paragraph
// with no text.
#pragma once

#include <string>
#include <vector>

#include "documents/doc_output.h"

namespace brumalis::test {

struct TRecordedParagraph {
    std::string szText;
    bool bBold = false;
};

class TParagraphRecorder : public CTDocOutput {
public:
    TParagraphRecorder() : CTDocOutput("test", nullptr) {}

    void TextStyle(const std::string& sz, doc::TFontStyles st, doc::TColor, int nTabs) override {
        const bool bBold = (v_normalFont.Style | st).Contains(graphics::fsBold);
        v_bAllBold = (v_open.empty() ? true : v_bAllBold) && bBold;
        v_open += std::string(static_cast<std::size_t>(nTabs), '\t') + sz;
    }
    void TextWriteln() override {
        paragraphs.push_back({v_open, !v_open.empty() && v_bAllBold});
        v_open.clear();
    }
    void TextCenter(const std::string& sz, doc::TFontStyles st, doc::TColor c) override { Whole(sz, st, c); }
    void TextLeft(const std::string& sz, doc::TFontStyles st, doc::TColor c) override { Whole(sz, st, c); }
    using CTDocOutput::TextLeft;
    void TextRight(const std::string& sz, doc::TFontStyles st, doc::TColor c) override { Whole(sz, st, c); }
    void NewPage() override {}
    void PutDocTable(CTDocTable&) override {}
    void PutGraphic(double, const doc::CTGraphic&, bool) override {}
    void TextWithFont(const doc::TFont& font, const std::string& sz, bool) override {
        paragraphs.push_back({sz, font.Style.Contains(graphics::fsBold)});
    }

    // The paragraphs written so far; text of an unfinished one is not listed.
    std::vector<TRecordedParagraph> paragraphs;

private:
    void Whole(const std::string& sz, doc::TFontStyles st, doc::TColor c) {
        TextStyle(sz, st, c, 0);
        TextWriteln();
    }

    std::string v_open;
    bool v_bAllBold = true;
};

}  // namespace brumalis::test
