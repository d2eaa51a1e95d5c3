#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/messages.h"
#include "objectstore/store_messages.h"

namespace brumalis::dialogs {
namespace {

// Restores the process-wide hooks and the environment a test changes.
class MessageServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* sz = std::getenv("BRUMALIS_LANGUAGE")) m_szLanguage = sz;
        unsetenv("BRUMALIS_LANGUAGE");
        m_pTranslate = TBaseMsg::SetTranslateFunc(nullptr);
        m_pSink = TBaseMsg::SetMessageSink(nullptr);
    }
    void TearDown() override {
        TBaseMsg::SetTranslateFunc(m_pTranslate);
        TBaseMsg::SetMessageSink(m_pSink);
        if (m_szLanguage) {
            setenv("BRUMALIS_LANGUAGE", m_szLanguage->c_str(), 1);
        } else {
            unsetenv("BRUMALIS_LANGUAGE");
        }
    }

    std::optional<std::string> m_szLanguage;
    TTranslateFunc m_pTranslate;
    TMessageSink m_pSink;
};

// The placeholders of a text, as the digits after "$".
std::set<char> Placeholders(const std::string& szText) {
    std::set<char> found;
    for (std::size_t i = 0; i + 1 < szText.size(); ++i) {
        const char c = szText[i + 1];
        if (szText[i] == '$' && ((c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z'))) found.insert(c);
    }
    return found;
}

// How many parameters the callers hand to each message that takes some.
const std::map<int, int> kParameterCounts = {
    {-12, 1}, {-11, 1}, {-10, 1}, {-8, 1}, {-7, 1}, {-6, 1}, {-3, 1}, {-2, 1}, {-1, 1},
    {184, 1}, {185, 3}, {209, 1}, {210, 2}, {214, 2}, {221, 2}, {229, 2}, {231, 2}, {234, 1},
    {242, 3}, {247, 4}, {248, 4}, {249, 2}, {269, 5},
    {5002, 2}, {5003, 1}, {5004, 1}, {5005, 1}, {5006, 1}, {5007, 1}, {5008, 1}, {5009, 1},
    {5010, 1}, {5011, 1}, {5012, 1}, {5013, 1}, {5014, 1}, {5017, 1},
};

constexpr int kFirstDisclaimerMsg = 7100;
constexpr int kLastDisclaimerMsg = 7199;

TEST_F(MessageServiceTest, EveryCatalogueNumberHasATextWithThePlaceholdersItsCallersFill) {
    const std::vector<int> numbers = CatalogueNumbers();
    ASSERT_GT(numbers.size(), 200u);
    EXPECT_TRUE(std::adjacent_find(numbers.begin(), numbers.end(), [](int a, int b) { return a >= b; }) ==
                numbers.end());
    for (const int nMsgNr : numbers) {
        const std::string szText = TBaseMsg::GetUnicodeString(nMsgNr);
        EXPECT_FALSE(szText.empty()) << nMsgNr;
        std::set<char> expected;
        const auto it = kParameterCounts.find(nMsgNr);
        const int nCount = it == kParameterCounts.end() ? 0 : it->second;
        for (int k = 1; k <= nCount; ++k) expected.insert(static_cast<char>('0' + k));
        if (nMsgNr >= kFirstDisclaimerMsg && nMsgNr <= kLastDisclaimerMsg) {
            // The disclaimer hands all six names to each of its texts.
            const std::set<char> names = {'1', '2', '3', '4', '5', '6'};
            const std::set<char> used = Placeholders(szText);
            EXPECT_TRUE(std::includes(names.begin(), names.end(), used.begin(), used.end())) << nMsgNr;
            continue;
        }
        EXPECT_EQ(Placeholders(szText), expected) << nMsgNr << ": " << szText;
    }
    for (const auto& [nMsgNr, nCount] : kParameterCounts) {
        EXPECT_TRUE(std::binary_search(numbers.begin(), numbers.end(), nMsgNr)) << nMsgNr;
    }
}

TEST_F(MessageServiceTest, DatabaseAndFileMessagesAreTheObjectStoresOwn) {
    for (int nMsgNr = 5000; nMsgNr <= 5026; ++nMsgNr) {
        EXPECT_EQ(TBaseMsg::GetUnicodeString(nMsgNr), StoreMessageText(nMsgNr)) << nMsgNr;
    }
    EXPECT_EQ(TBaseMsg::GetUnicodeString(-2, {"a.edi"}), "Unable to open file a.edi");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(-3, {"b.edi"}), "Unable to create file b.edi");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(5027), "");
}

TEST_F(MessageServiceTest, ParametersReplaceEveryPlaceholderOfTheirNumber) {
    ASSERT_TRUE(TBaseMsg::AddObtainStringFunc(
        [](int nMsgNr) -> std::string {
            if (nMsgNr == 90001) return "$2, $1, $2";
            return nMsgNr == 90002 ? "$1-$9-$A-$B-$C" : "";
        },
        90000, 90009));
    EXPECT_EQ(TBaseMsg::GetUnicodeString(90001, {"x", "y"}), "y, x, y");
    const std::vector<std::string> twelve = {"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p9", "p10", "p11"};
    EXPECT_EQ(TBaseMsg::GetUnicodeString(90002, twelve), "p1-p9-p10-p11-$C");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(90003, {"x"}), "");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(214, {"-20", "20"}),
              "Capacity is outside -20% to 20% of the required cooling capacity.");
}

TEST_F(MessageServiceTest, AllParametersNumberJoinsTheParameters) {
    EXPECT_EQ(TBaseMsg::GetUnicodeString(msgAllParameters, {"Solution has been ", "added ", "$1"}),
              "Solution has been added $1");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(msgAllParameters), "");
}

TEST_F(MessageServiceTest, RangesAreRefusedWhenAnEndFallsInsideARegisteredOne) {
    const auto text = [](std::string sz) { return [sz](int) { return sz; }; };
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(text("list"), 290, 400));
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(text("window"), -20, -12));
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(text("logon"), 5026, 5100));
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(text("reversed"), 91100, 91000));
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(nullptr, 91200, 91300));
    EXPECT_EQ(TBaseMsg::GetUnicodeString(280), "Heat pump");

    ASSERT_TRUE(TBaseMsg::AddObtainStringFunc(text("inner"), 91000, 91010));
    EXPECT_FALSE(TBaseMsg::AddObtainStringFunc(text("overlap"), 91005, 91020));
    // Both ends outside: accepted, and the newer range answers first.
    ASSERT_TRUE(TBaseMsg::AddObtainStringFunc(text("outer"), 90990, 91020));
    EXPECT_EQ(TBaseMsg::GetUnicodeString(91005), "outer");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(777777), "");
}

TEST_F(MessageServiceTest, TranslationComesBeforeTheParametersAreFilled) {
    const std::map<std::string, std::string> glossary = {
        {"Page $1", "Страница $1"}, {"Heat pump", "Тепловой насос"}};
    TBaseMsg::SetTranslateFunc([glossary](const std::string& sz) {
        const auto it = glossary.find(sz);
        return it == glossary.end() ? sz : it->second;
    });
    EXPECT_EQ(TBaseMsg::GetUnicodeString(184, {"Heat pump"}), "Страница Heat pump");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(280), "Тепловой насос");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(288), "Water cooled");
    EXPECT_EQ(TBaseMsg::GetUnicodeString(msgAllParameters, {"Heat pump"}), "Heat pump");
}

TEST_F(MessageServiceTest, EnglishLanguageSettingSkipsTheTranslation) {
    TBaseMsg::SetTranslateFunc([](const std::string&) { return std::string("перевод"); });
    for (const char* szSetting : {"en", "EN"}) {
        setenv("BRUMALIS_LANGUAGE", szSetting, 1);
        EXPECT_TRUE(TBaseMsg::TranslationDisabled()) << szSetting;
        EXPECT_EQ(TBaseMsg::GetUnicodeString(280), "Heat pump") << szSetting;
    }
    for (const char* szSetting : {"ru", "", "english"}) {
        setenv("BRUMALIS_LANGUAGE", szSetting, 1);
        EXPECT_FALSE(TBaseMsg::TranslationDisabled()) << szSetting;
        EXPECT_EQ(TBaseMsg::GetUnicodeString(280), "перевод") << szSetting;
    }
}

TEST_F(MessageServiceTest, ShownMessagesReachTheSinkFinished) {
    std::vector<std::pair<std::string, int>> shown;
    TBaseMsg::SetMessageSink([&shown](const std::string& sz, int n) { shown.emplace_back(sz, n); });
    TBaseMsg::ShowMessage(msgFileNotFound, {"plant.cpf"});

    const CTMessageCallback previous = InstallStoreMessageDisplay();
    ShowStoreMessage(5012, {"Name"});
    SetMessageCallback(previous);

    const std::vector<std::pair<std::string, int>> expected = {{"File plant.cpf not found", -1},
                                                               {"Value required for 'Name'.", 5012}};
    EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace brumalis::dialogs
