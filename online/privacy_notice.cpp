#include "online/privacy_notice.h"

#include "documents/notices.h"

namespace brumalis::online {

void WritePrivacyNotice(CTDocOutput& out, std::string_view szProgramName) {
    WritePrivacyNotice(out, DataProcessingNotice(szProgramName));
}

void WritePrivacyNotice(CTDocOutput& out, const std::vector<TNoticeParagraph>& paragraphs) {
    for (const TNoticeParagraph& paragraph : paragraphs) {
        if (paragraph.bBold) {
            WriteNoticeHeading(out, paragraph.szText);
        } else {
            WriteNoticeParagraph(out, paragraph.szText, paragraph.bContinuesList);
        }
    }
}

}  // namespace brumalis::online
