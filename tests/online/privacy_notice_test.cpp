#include <gtest/gtest.h>

#include <string>

#include "dialogs/messages.h"
#include "online/privacy_notice.h"
#include "tests/documents/paragraph_recorder.h"

namespace brumalis::online {
namespace {

using test::TParagraphRecorder;

TEST(PrivacyNotice, BoldHeadingsTheProgramNamedAndTheListRunningOn) {
    const dialogs::TTranslateFunc previous = dialogs::TBaseMsg::SetTranslateFunc(nullptr);
    TParagraphRecorder out;
    WritePrivacyNotice(out, "Brumalis");
    dialogs::TBaseMsg::SetTranslateFunc(previous);
    const auto& p = out.paragraphs;
    ASSERT_GT(p.size(), 10u);
    EXPECT_EQ(p[0].szText, "Information we collect");
    EXPECT_TRUE(p[0].bBold);
    // The heading is followed at once by the introduction, which runs on
    // into the items; after the last item comes an empty line.
    EXPECT_TRUE(p[1].szText.starts_with("When you accept the upgrade, Brumalis sends"));
    EXPECT_FALSE(p[1].bBold);
    std::size_t i = 2;
    while (i < p.size() && p[i].szText.starts_with("- ")) ++i;
    EXPECT_EQ(i, 7u);  // five items, no empty line between them
    EXPECT_TRUE(p[i].szText.empty());
    EXPECT_EQ(p[i + 1].szText, "How we use it");
    EXPECT_TRUE(p[i + 1].bBold);
    int nBold = 0;
    for (const auto& paragraph : p) {
        EXPECT_EQ(paragraph.szText.find('$'), std::string::npos) << paragraph.szText;
        nBold += paragraph.bBold ? 1 : 0;
    }
    EXPECT_EQ(nBold, 3);
    EXPECT_TRUE(p.back().szText.empty());
}

}  // namespace
}  // namespace brumalis::online
