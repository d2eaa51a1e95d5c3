#include "documents/notices.h"

namespace brumalis {

void WriteNoticeHeading(CTDocOutput& out, const std::string& szText) {
    out.TextStyle(szText, {graphics::fsBold}, graphics::clWindowText, 0);
    out.TextWriteln();
}

void WriteNoticeParagraph(CTDocOutput& out, const std::string& szText, bool bContinuesList) {
    out.TextStyle(szText, {}, graphics::clWindowText, 0);
    out.TextWriteln();
    if (!bContinuesList) out.TextWriteln();
}

void WriteDisclaimer(CTDocOutput& out, const dialogs::TDisclaimerNames& names) {
    for (const dialogs::TDisclaimerParagraph& paragraph : dialogs::DisclaimerText(names)) {
        if (paragraph.bHeading) {
            WriteNoticeHeading(out, paragraph.szText);
        } else {
            WriteNoticeParagraph(out, paragraph.szText, paragraph.bContinuesList);
        }
    }
}

}  // namespace brumalis
