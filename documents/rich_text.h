// Formatted text as a rich-text control holds it, without the toolkit: the
// control's font, the text as runs with their own style and colour, and
// per paragraph its alignment and bullet. The GUI copies a control's content
// into it; the documents write it out.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics/graphics_types.h"

namespace brumalis {

struct TRichRun {
    std::string text;  // UTF-8; CR or LF end a paragraph
    graphics::TFontStyles style;
    graphics::TColor color = graphics::clWindowText;
};

struct TRichParagraph {
    graphics::TAlignment alignment = graphics::taLeftJustify;
    bool bBullet = false;
};

struct CTRichText {
    graphics::TFont font;
    std::vector<TRichRun> runs;
    // Paragraph n's format, counting every CR, LF or CR LF as the end of one
    // paragraph; paragraphs beyond the list are plain and left-aligned.
    std::vector<TRichParagraph> paragraphs;
};

}  // namespace brumalis
