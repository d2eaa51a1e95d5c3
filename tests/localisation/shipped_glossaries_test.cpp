// The glossaries built from localisation/glossaries/*.txt and embedded in the
// program: Russian, compressed GLS3, and complete for the message catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/about_captions.h"
#include "dialogs/messages.h"
#include "documents/print_params_dialog.h"
#include "localisation/glossary.h"
#include "localisation/glossary_text.h"
#include "localisation/lang_support.h"
#include "objectstore/streams.h"
#include "online/upgrade_texts.h"
#include "platform/resources.h"
#include "tests/localisation/shipped_glossary.h"
#include "workflow/preferences.h"
#include "workflow/price_file_frame.h"
#include "workflow/registration_steps.h"

namespace brumalis {
namespace {

constexpr std::int32_t kRussian = 1049;
constexpr std::uint8_t kRussianCharset = 204;

// The parameters "$1" … "$9", "$A" … of a text, sorted: a translation may
// reorder them but must keep every one.
std::vector<std::string> Placeholders(const std::string& szText) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i + 1 < szText.size(); ++i) {
        const char c = szText[i + 1];
        if (szText[i] == '$' && ((c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z'))) {
            list.push_back(szText.substr(i, 2));
            ++i;
        }
    }
    std::sort(list.begin(), list.end());
    return list;
}

// A letter of the Cyrillic block U+0400 … U+04FF in UTF-8.
bool HasCyrillic(const std::string& szUtf8) {
    for (std::size_t i = 0; i + 1 < szUtf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(szUtf8[i]);
        const auto next = static_cast<unsigned char>(szUtf8[i + 1]);
        if (lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80) return true;
    }
    return false;
}

// The text has exactly one entry, in Russian, keeping its parameters.
void ExpectOneRussianTranslation(const CTGlossary& glos, const std::string& szEnglish, const std::string& szWhat) {
    const std::vector<TTranslation> translations = glos.TranslationsFor(szEnglish);
    if (translations.size() != 1) {
        ADD_FAILURE() << szWhat << " has " << translations.size() << " entries: " << szEnglish;
        return;
    }
    const TTranslation& tr = translations.front();
    EXPECT_EQ(tr.nCharset, kRussianCharset) << szWhat;
    const std::string szRussian = CTCharsetSupport::ToUtf8(tr.szText, tr.nCharset);
    EXPECT_TRUE(HasCyrillic(szRussian)) << szWhat << ": " << szRussian;
    EXPECT_EQ(Placeholders(szRussian), Placeholders(szEnglish)) << szWhat << ": " << szRussian;
}

// The catalogue's English texts, as TBaseMsg serves them untranslated.
class ShippedUIGlossary : public ::testing::Test {
protected:
    void SetUp() override { m_pTranslate = dialogs::TBaseMsg::SetTranslateFunc(nullptr); }
    void TearDown() override { dialogs::TBaseMsg::SetTranslateFunc(m_pTranslate); }

    dialogs::TTranslateFunc m_pTranslate;
};

TEST_F(ShippedUIGlossary, IsRussianCompressedAndLoadsFromTheProgram) {
    const auto bytes = platform::FindBlob("UIGlossary");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 3), "QXZ");
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    EXPECT_EQ(glos->GetTargetLanguage(), kRussian);
    EXPECT_EQ(glos->GetDefaultCharset(), kRussianCharset);
    EXPECT_TRUE(glos->Compressed());
    EXPECT_FALSE(glos->HasUntranslatedTerms());
}

TEST_F(ShippedUIGlossary, TranslatesEveryCatalogueTextOnceIntoRussianKeepingItsParameters) {
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    const std::vector<int> numbers = dialogs::CatalogueNumbers();
    ASSERT_FALSE(numbers.empty());
    for (const int nMsgNr : numbers) {
        const std::string szEnglish = dialogs::TBaseMsg::GetUnicodeString(nMsgNr);
        ASSERT_FALSE(szEnglish.empty()) << "message " << nMsgNr;
        ExpectOneRussianTranslation(*glos, szEnglish, "message " + std::to_string(nMsgNr));
    }
}

TEST_F(ShippedUIGlossary, TranslatesTheRegistrationTextsOfTheStartUp) {
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    for (const std::string& szEnglish : TRegistrationSteps::Texts()) {
        const std::vector<TTranslation> translations = glos->TranslationsFor(szEnglish);
        ASSERT_EQ(translations.size(), 1U) << szEnglish;
        EXPECT_TRUE(HasCyrillic(CTCharsetSupport::ToUtf8(translations[0].szText, translations[0].nCharset)))
            << szEnglish;
    }
}

TEST_F(ShippedUIGlossary, FillsParametersIntoTheTranslatedMessage) {
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    dialogs::TBaseMsg::SetTranslateFunc(
        [&glos](const std::string& szText) { return glos->Translate(szText).value_or(szText); });
    EXPECT_EQ(dialogs::TBaseMsg::GetUnicodeString(184, {"3"}), "Страница 3");
    EXPECT_EQ(dialogs::TBaseMsg::GetUnicodeString(5003, {"Chillers"}), "База данных «Chillers» используется.");
    EXPECT_EQ(dialogs::TBaseMsg::GetUnicodeString(214, {"95", "110"}),
              "Производительность выходит за пределы от 95% до 110% требуемой холодопроизводительности.");
    // A text of the catalogue under two numbers has one entry serving both.
    EXPECT_EQ(dialogs::TBaseMsg::GetUnicodeString(-9), dialogs::TBaseMsg::GetUnicodeString(174));
    EXPECT_EQ(dialogs::TBaseMsg::GetUnicodeString(-9), "Удаление");
}

TEST_F(ShippedUIGlossary, TranslatesEveryTextOfTheUpgradeOnceIntoRussian) {
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    for (const std::string& szEnglish : online::EnglishUpgradeTexts())
        ExpectOneRussianTranslation(*glos, szEnglish, "upgrade text");
    dialogs::TBaseMsg::SetTranslateFunc(
        [&glos](const std::string& szText) { return glos->Translate(szText).value_or(szText); });
    EXPECT_EQ(online::UpgradeText(online::TUpgradeText::HintWelcome, "Brumalis"), "Добро пожаловать в программу Brumalis.");
}

TEST_F(ShippedUIGlossary, TranslatesEveryTextOfThePreferencesPrintParametersAndAboutBoxOnce) {
    const auto glos = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glos);
    for (const auto& texts : {TFrm_Preferences::Texts(), TFrmPriceFileAdmin::Texts(), TPrintParamsDialog::Texts(),
                              dialogs::TAboutBox::Texts()}) {
        for (const std::string& szEnglish : texts) ExpectOneRussianTranslation(*glos, szEnglish, "dialog text");
    }
}

// A term given two translations is left untranslated at run time, so a
// window shows it in English: blocks written apart must agree on one.
TEST(ShippedGlossary, NoTermOfEitherGlossaryHasTwoTranslations) {
    for (const char* szBlob : {"UIGlossary", "Glossary"}) {
        const auto glos = test::LoadShippedGlossary(szBlob);
        ASSERT_TRUE(glos) << szBlob;
        std::ostringstream text;
        WriteTextForm(*glos, text);
        std::istringstream lines(text.str());
        std::map<std::string, int> entries;
        for (std::string line; std::getline(lines, line);) {
            if (line.empty() || line.front() == '#') continue;
            ++entries[line.substr(0, line.find('\t'))];
        }
        EXPECT_GT(entries.size(), 10U) << szBlob;
        for (const auto& [szTerm, nCount] : entries) EXPECT_EQ(nCount, 1) << szBlob << ": " << szTerm;
    }
}

TEST(ShippedGlossary, IsRussianCompressedAndFullyTranslated) {
    const auto bytes = platform::FindBlob("Glossary");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 3), "QXZ");
    const auto glos = test::LoadShippedGlossary("Glossary");
    ASSERT_TRUE(glos);
    EXPECT_EQ(glos->GetTargetLanguage(), kRussian);
    EXPECT_EQ(glos->GetDefaultCharset(), kRussianCharset);
    EXPECT_TRUE(glos->Compressed());
    EXPECT_FALSE(glos->HasUntranslatedTerms());
}

}  // namespace
}  // namespace brumalis
