#include <algorithm>

#include "catalogue/records.h"
#include "shipped_workflow_fixture.h"

namespace brumalis::testing {
namespace {

using StartUp = ShippedWorkflow;

std::vector<std::string> NamesOf(const TStartUpResult& result) {
    std::vector<std::string> names;
    for (const TStartUpStepTime& step : result.Steps) names.push_back(step.Name);
    return names;
}

TEST_F(StartUp, RunsEveryStepInOrderAndLoadsTheCatalogue) {
    start = std::make_unique<TProgramStart>();
    std::vector<std::string> ran;
    start->AddStep("Front end", [&ran](TProgramStart& s) {
        // A front end's own step finds everything before it done.
        EXPECT_FALSE(s.Session().v_PrefChillers.empty());
        ran.push_back("Front end");
    });
    const TStartUpResult result = start->Run();
    ASSERT_TRUE(result.Ok) << result.Message;
    const std::vector<std::string> expected = {
        TProgramStart::kStepTranslation,     TProgramStart::kStepDatabaseSet, TProgramStart::kStepCatalogueGlossary,
        TProgramStart::kStepConnect,         TProgramStart::kStepStructureVersion, TProgramStart::kStepUnits,
        TProgramStart::kStepRefrigerants,    TProgramStart::kStepPrices,      TProgramStart::kStepCatalogueLists,
        TProgramStart::kStepPreferences,     "Front end"};
    EXPECT_EQ(NamesOf(result), expected);
    EXPECT_EQ(start->StepNames(), expected);
    EXPECT_EQ(ran.size(), 1U);
    // Connecting reads the whole catalogue, so its time cannot be zero.
    EXPECT_GT(result.Steps[3].Duration.count(), 0);
    TMainSession& session = start->Session();
    EXPECT_TRUE(session.v_Limits);
    EXPECT_FALSE(session.v_Glycols.empty());
    EXPECT_FALSE(session.v_Controllers.empty());
    // English asked for: no translation installed anywhere.
    EXPECT_EQ(start->UIGlossary(), nullptr);
    EXPECT_EQ(start->CatalogueGlossary(), nullptr);
}

TEST_F(StartUp, ADamagedCatalogueStopsAtTheConnectionWithAMessage) {
    ReplaceBlob("DEVICE_DATABASE", "QXZ this is no catalogue at all");
    start = std::make_unique<TProgramStart>();
    bool bLaterStepRan = false;
    start->AddStep("Front end", [&](TProgramStart&) { bLaterStepRan = true; });
    const TStartUpResult result = start->Run();
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.FailedStep, TProgramStart::kStepConnect);
    EXPECT_EQ(result.Message, "The embedded catalogue cannot be read.");
    EXPECT_EQ(NamesOf(result).back(), TProgramStart::kStepConnect);
    EXPECT_FALSE(bLaterStepRan);
}

TEST_F(StartUp, AnotherStructureVersionStopsAtTheVersionCheck) {
    ReplaceBlob("Device_Database_Ref", "EDI100 structure 99.9");
    start = std::make_unique<TProgramStart>();
    const TStartUpResult result = start->Run();
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.FailedStep, TProgramStart::kStepStructureVersion);
    EXPECT_NE(result.Message.find("structure version"), std::string::npos) << result.Message;
}

// Translated start: the catalogue glossary makes compressor names Russian;
// without it (missing or unreadable) they stay English and nothing fails.
TEST_F(StartUp, TheCatalogueGlossaryTranslatesCatalogueTextsAndItsAbsenceIsNoFailure) {
    unsetenv("BRUMALIS_LANGUAGE");
    const auto compressorNames = [this] {
        std::vector<std::string> names;
        for (const auto& pCompressor : start->Session().v_Compressors) names.push_back(pCompressor->GetName());
        return names;
    };
    Started();
    ASSERT_NE(start->CatalogueGlossary(), nullptr);
    EXPECT_NE(start->UIGlossary(), nullptr);
    const std::vector<std::string> translated = compressorNames();
    EXPECT_EQ(std::count(translated.begin(), translated.end(), "Screw"), 0);
    start.reset();

    ReplaceBlob("GLOSSARY", "");
    Started();
    EXPECT_EQ(start->CatalogueGlossary(), nullptr);
    const std::vector<std::string> english = compressorNames();
    EXPECT_EQ(std::count(english.begin(), english.end(), "Screw"), 1);
    EXPECT_NE(translated, english);
}

}  // namespace
}  // namespace brumalis::testing
