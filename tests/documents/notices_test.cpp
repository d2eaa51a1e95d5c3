#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialogs/messages.h"
#include "documents/notices.h"
#include "tests/documents/paragraph_recorder.h"
#include "tests/documents/shipped_ui_glossary.h"

namespace brumalis {
namespace {

// Names with only the program's given; the others take their defaults.
dialogs::TDisclaimerNames ProgramOnly(const std::string& szProgram) {
    dialogs::TDisclaimerNames names;
    names.szProgName = szProgram;
    return names;
}

using test::TParagraphRecorder;
using test::TRecordedParagraph;

// Untranslated unless a test installs the shipped glossary.
class DisclaimerTest : public ::testing::Test {
protected:
    void SetUp() override { v_previous = dialogs::TBaseMsg::SetTranslateFunc(nullptr); }
    void TearDown() override { dialogs::TBaseMsg::SetTranslateFunc(v_previous); }

    static std::vector<TRecordedParagraph> Written(const dialogs::TDisclaimerNames& names) {
        TParagraphRecorder out;
        WriteDisclaimer(out, names);
        return out.paragraphs;
    }
    static std::vector<std::string> Headings(const std::vector<TRecordedParagraph>& paragraphs) {
        std::vector<std::string> headings;
        for (const TRecordedParagraph& p : paragraphs) {
            if (p.bBold) headings.push_back(p.szText);
        }
        return headings;
    }
    static std::string AllText(const std::vector<TRecordedParagraph>& paragraphs) {
        std::string szAll;
        for (const TRecordedParagraph& p : paragraphs) szAll += p.szText + "\n";
        return szAll;
    }

    dialogs::TTranslateFunc v_previous;
};

TEST_F(DisclaimerTest, TenBoldHeadingsInOrderEachFollowedByItsParagraphs) {
    const auto paragraphs = Written(ProgramOnly("Brumalis"));
    const std::vector<std::string> expected = {
        "Brumalis - Accept to launch the software.", "Use of the software", "Intellectual property",
        "Trade names and marks", "Disclaimer of warranty", "Exclusion of liability", "Indemnity",
        "Electronic submission of data", "Miscellaneous", "Contact"};
    EXPECT_EQ(Headings(paragraphs), expected);
    ASSERT_TRUE(paragraphs.front().bBold);
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (!paragraphs[i].bBold) continue;
        // A heading line is followed at once by text, never by an empty line.
        ASSERT_LT(i + 1, paragraphs.size());
        EXPECT_FALSE(paragraphs[i + 1].szText.empty()) << paragraphs[i].szText;
        EXPECT_FALSE(paragraphs[i + 1].bBold) << paragraphs[i].szText;
    }
    // The document ends with the last paragraph's empty line.
    EXPECT_TRUE(paragraphs.back().szText.empty());
}

TEST_F(DisclaimerTest, AnEmptyLineFollowsEveryParagraphButThoseContinuingAList) {
    const auto paragraphs = Written({});
    const std::string szAll = AllText(paragraphs);
    // The numbered points of the electronic submission run on as one list,
    // introduced without an empty line, and the list ends with one.
    const auto at = [&](const std::string& szStart) {
        const auto it = std::find_if(paragraphs.begin(), paragraphs.end(),
                                     [&](const TRecordedParagraph& p) { return p.szText.starts_with(szStart); });
        EXPECT_NE(it, paragraphs.end()) << szStart;
        return static_cast<std::size_t>(it - paragraphs.begin());
    };
    const std::size_t nIntro = at("When ");
    EXPECT_EQ(at("1. "), nIntro + 1);
    EXPECT_EQ(at("2. "), nIntro + 2);
    EXPECT_EQ(at("3. "), nIntro + 3);
    EXPECT_TRUE(paragraphs[nIntro + 4].szText.empty());
    EXPECT_EQ(paragraphs[nIntro + 5].szText, "Miscellaneous");
    // Elsewhere text paragraphs are separated by exactly one empty line.
    const std::size_t nFirst = at("Please read");
    EXPECT_TRUE(paragraphs[nFirst + 1].szText.empty());
    EXPECT_TRUE(paragraphs[nFirst + 2].szText.starts_with("If you do not accept"));
    for (std::size_t i = 1; i < paragraphs.size(); ++i) {
        EXPECT_FALSE(paragraphs[i].szText.empty() && paragraphs[i - 1].szText.empty()) << "two empty lines at " << i;
    }
}

TEST_F(DisclaimerTest, EmptyNamesTakeTheDefaultsAndEveryMarkerIsFilled) {
    const std::string szDefault = AllText(Written({}));
    EXPECT_EQ(szDefault.find('$'), std::string::npos);
    for (const char* szName : {"Brumalis Program", "info@orvane.invalid", "Orvane Climate Systems (\"Orvane\")",
                               "law of Belgium", "courts of Brussels"})
        EXPECT_NE(szDefault.find(szName), std::string::npos) << szName;

    const std::string szGiven = AllText(Written({.szLawCityName = "Ghent",
                                                 .szLawCountryName = "Flanders",
                                                 .szLongCompanyName = "Acme Cooling Ltd",
                                                 .szShortCompanyName = "Acme",
                                                 .szEmail = "terms@acme.invalid",
                                                 .szProgName = "ChillPick"}));
    EXPECT_EQ(szGiven.find('$'), std::string::npos);
    for (const char* szName : {"ChillPick - Accept", "terms@acme.invalid", "Acme Cooling Ltd (\"Acme\")", "law of Flanders",
                               "courts of Ghent"})
        EXPECT_NE(szGiven.find(szName), std::string::npos) << szName;
    for (const char* szDefaultName : {"Orvane", "Belgium", "Brussels", "Brumalis Program"})
        EXPECT_EQ(szGiven.find(szDefaultName), std::string::npos) << szDefaultName;

    // A name holding a marker is written as it is, not filled once more.
    const std::string szMarked = AllText(Written(ProgramOnly("Pick $2")));
    EXPECT_NE(szMarked.find("Pick $2 - Accept"), std::string::npos);
    EXPECT_EQ(szMarked.find("Pick info@"), std::string::npos);
}

TEST_F(DisclaimerTest, TheRussianProgramReadsRussianTermsWithTranslatedDefaults) {
    unsetenv("BRUMALIS_LANGUAGE");
    const test::TShippedUIGlossary russian;
    ASSERT_TRUE(russian.Loaded());
    const auto paragraphs = Written(ProgramOnly("Brumalis"));
    const auto headings = Headings(paragraphs);
    ASSERT_EQ(headings.size(), std::size_t(dialogs::kDisclaimerSections));
    EXPECT_EQ(headings.front(), "Brumalis — примите условия, чтобы запустить программу.");
    EXPECT_EQ(headings.back(), "Контакты");
    const std::string szAll = AllText(paragraphs);
    EXPECT_EQ(szAll.find('$'), std::string::npos);
    EXPECT_NE(szAll.find("Бельгия"), std::string::npos);
    EXPECT_NE(szAll.find("Брюссель"), std::string::npos);
    EXPECT_EQ(szAll.find("Use of the software"), std::string::npos);
}

}  // namespace
}  // namespace brumalis
