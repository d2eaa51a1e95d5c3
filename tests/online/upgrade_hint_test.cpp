// The start-up actions: the usage counter, the first-run callback and the
// welcome hint, over an injected settings store.
#include <gtest/gtest.h>

#include "online/upgrade_hint.h"
#include "online_fixture.h"

namespace brumalis::online::testing {
namespace {

constexpr const char* kRoot = "Software\\Orvane\\Brumalis";
constexpr const char* kVersionKey = "Software\\Orvane\\Brumalis\\Version";
constexpr const char* kRunID = "3.3.4 EU 3.3.4";

class StartupActions : public OnlineTest {
protected:
    void Start(const std::vector<std::string>& params, const std::string& szRunID = kRunID) {
        TFrmAutoUpgradeHint::ApplicationStartupActions("Brumalis", kRoot, szRunID, params,
                                                       {[this] { ++m_nFirstRuns; },
                                                        [this](std::string_view szTitle) {
                                                            ++m_nHints;
                                                            m_szHintTitle = szTitle;
                                                        }});
    }
    int Used() { return UserHive().ReadInteger(kVersionKey, "Used", -1); }

    int m_nFirstRuns = 0;
    int m_nHints = 0;
    std::string m_szHintTitle;
};

TEST_F(StartupActions, AFirstPlainStartCallsTheFirstRunCallbackAndShowsTheHint) {
    Start({});
    EXPECT_EQ(m_nFirstRuns, 1);
    EXPECT_EQ(m_nHints, 1);
    EXPECT_EQ(m_szHintTitle, "Brumalis");
    EXPECT_EQ(UserHive().ReadString(kVersionKey, "Name", ""), kRunID);
    EXPECT_EQ(Used(), 1);
    Start({});
    EXPECT_EQ(m_nFirstRuns, 1);
    EXPECT_EQ(m_nHints, 2);
    EXPECT_EQ(Used(), 2);
    EXPECT_EQ(TFrmAutoUpgradeHint::GetUsageCount(), 2);
}

TEST_F(StartupActions, ALoneProjectFileGetsTheFirstRunCallbackButNoHint) {
    const std::string szProject = m_scratch / "Hotel Tamaris.CPF";
    WriteFile(szProject, "EDI100");
    Start({szProject});
    EXPECT_EQ(m_nFirstRuns, 1);
    EXPECT_EQ(m_nHints, 0);
    EXPECT_EQ(Used(), 1);
}

TEST_F(StartupActions, AnyOtherParameterGetsNeitherButStillCounts) {
    const std::string szProject = m_scratch / "plant.cpf";
    WriteFile(szProject, "EDI100");
    for (const auto& params : std::vector<std::vector<std::string>>{
             {"/uninstall"}, {m_scratch / "missing.cpf"}, {m_scratch.Path().string() + "/"}, {szProject, "/x"}, {m_scratch / "plant.txt"}})
        Start(params);
    EXPECT_EQ(m_nFirstRuns, 0);
    EXPECT_EQ(m_nHints, 0);
    EXPECT_EQ(Used(), 5);
}

TEST_F(StartupActions, ANewIdentifierCountsFromZeroAndIgnoresLetterCase) {
    UserHive().WriteString(kVersionKey, "Name", "3.3.4 eu 3.3.4");
    UserHive().WriteInteger(kVersionKey, "Used", 41);
    Start({});
    EXPECT_EQ(m_nFirstRuns, 0);
    EXPECT_EQ(Used(), 42);
    Start({}, "3.3.5 EU 3.3.5");
    EXPECT_EQ(m_nFirstRuns, 1);
    EXPECT_EQ(Used(), 1);
    EXPECT_EQ(UserHive().ReadString(kVersionKey, "Name", ""), "3.3.5 EU 3.3.5");
}

TEST_F(StartupActions, TheHintChoiceIsKeptAndAnEmptyIdentifierCountsNothing) {
    Start({});
    TFrmAutoUpgradeHint::WriteUpdateHint(false);
    EXPECT_FALSE(UserHive().ReadBool(kRoot, "UpdateHint", true));
    Start({}, "");
    EXPECT_EQ(m_nHints, 1);
    EXPECT_EQ(Used(), 1);
    EXPECT_EQ(TFrmAutoUpgradeHint::GetUsageCount(), 0);
}

// Reads see nothing and writes are refused, as with a broken settings file.
class CTFailingStore : public platform::CTSettingsStore {
public:
    CTFailingStore() : platform::CTSettingsStore(false) {}

protected:
    bool Apply(platform::CTSettingsTree&, const TChange&) override { return false; }
};

TEST_F(StartupActions, AFailingStoreReadsZeroAndHintOn) {
    platform::CTRegistry failing(std::make_shared<CTFailingStore>(), std::make_shared<CTFailingStore>());
    const platform::CTRegistrySubstitute use(failing);
    Start({});
    Start({});
    EXPECT_EQ(m_nFirstRuns, 2);
    EXPECT_EQ(m_nHints, 2);
    EXPECT_EQ(TFrmAutoUpgradeHint::GetUsageCount(), 0);
    TFrmAutoUpgradeHint::WriteUpdateHint(false);
    EXPECT_TRUE(TFrmAutoUpgradeHint::ReadUpdateHint());
}

TEST(WelcomeTexts, NameTheProgramAndKeepTheEmptyLines) {
    const TWelcomeTexts texts = TFrmAutoUpgradeHint::WelcomeTexts("Brumalis");
    EXPECT_EQ(texts.szCaption, "Welcome");
    EXPECT_EQ(texts.szWelcome, "Welcome to the Brumalis program.");
    ASSERT_EQ(texts.lines.size(), 5u);
    EXPECT_EQ(texts.lines[0], "This program lets you download upgrade versions from the Internet.");
    EXPECT_EQ(texts.lines[1], "");
    EXPECT_EQ(texts.lines[3], "");
    EXPECT_EQ(texts.szLookNow, "Look for Upgrades now...");
}

}  // namespace
}  // namespace brumalis::online::testing
