// The preferences dialog over the shipped catalogue: its pages, OK and
// Cancel, and what the Settings page does after OK.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <unistd.h>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "shipped_workflow_fixture.h"
#include "workflow/preferences.h"
#include "workflow/settings_page.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;
using TDlg = TFrm_Preferences;

class PreferencesDialog : public ShippedWorkflow {
protected:
    void TearDown() override {
        // The display units are process-wide.
        for (const U_RepUnit quantity : {U_Temperature, U_ShortLength, U_Length, U_Mass, U_Airflow, U_Power, U_Pressure}) {
            TU_Form::SetNewIndex(quantity, 0, false);
        }
        page.reset();
        ShippedWorkflow::TearDown();
    }
    TSettingsPage& Page() {
        session = &Started();
        page = std::make_unique<TSettingsPage>(*session);
        page->SetupWindow();
        page->SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        return *page;
    }
    std::unique_ptr<TDlg> Open() { return std::make_unique<TDlg>(*session->v_Limits, TSelectionCriteria{0, 4, 0, 0}); }
    static std::vector<std::string> Names(const TDlg& dlg, TDlg::TRefrigerantList list) {
        std::vector<std::string> names;
        for (const auto& item : dlg.Refrigerants(list)) names.push_back(item.Name);
        return names;
    }

    TMainSession* session = nullptr;
    std::unique_ptr<TSettingsPage> page;
};

TEST_F(PreferencesDialog, OpeningCopiesTheCriteriaAndShowsTheStoredNumberOfSolutionsClamped) {
    Page();
    TDlg dlg(*session->v_Limits, TSelectionCriteria{1, 2, 33, 44});
    const TPreferences& prefs = TDlg::Values();
    EXPECT_EQ(prefs.CONDENSER, 1);
    EXPECT_EQ(prefs.FAMILY, 2);
    EXPECT_EQ(prefs.REFRIGERANT, 33);
    EXPECT_EQ(prefs.COMPRESSOR, 44);
    EXPECT_EQ(TDlg::MaxSolutionItems().front(), "1");
    EXPECT_EQ(TDlg::MaxSolutionItems().back(), "10");
    EXPECT_EQ(dlg.MaxSolutionIndex(), prefs.MAXSOLUTION - 1);

    // Stored values the list cannot show: no result would ever be shown again.
    TDlg::Values().MAXSOLUTION = 25;
    auto high = Open();
    EXPECT_EQ(high->MaxSolutionIndex(), 9);
    ASSERT_TRUE(high->Accept().Accepted);
    EXPECT_EQ(TDlg::Values().MAXSOLUTION, 10);
    TDlg::Values().MAXSOLUTION = 0;
    auto low = Open();
    EXPECT_EQ(low->MaxSolutionIndex(), 0);
    ASSERT_TRUE(low->Accept().Accepted);
    EXPECT_EQ(registry->CurrentUser().ReadInteger(kPreferencesKey, "MAXSOLUTION", -1), 1);
    // Values edited into the settings file by hand.
    TDlg::Values().MAXSOLUTION = std::numeric_limits<std::int32_t>::min();
    TDlg::Values().NEGCOOLING = std::numeric_limits<double>::quiet_NaN();
    TDlg::Values().POSCOOLING = 1e300;
    auto edited = Open();
    EXPECT_EQ(edited->MaxSolutionIndex(), 0);
    EXPECT_EQ(edited->Bar(TDlg::dbNegCooling).Position, 0);
    EXPECT_EQ(edited->Bar(TDlg::dbPosCooling).Position, edited->Bar(TDlg::dbPosCooling).Max);
}

TEST_F(PreferencesDialog, BarsRangeToTheLimitsAndStoreTheirPositionsAsFractions) {
    Page();
    auto dlg = Open();
    const Cls_ChLimits& limits = *session->v_Limits;
    const TDlg::TBar& negCool = dlg->Bar(TDlg::dbNegCooling);
    EXPECT_EQ(negCool.Min, static_cast<int>(std::lround(limits.GetMinCoolDeviation() * 100)));
    EXPECT_EQ(negCool.Max, 0);
    EXPECT_EQ(negCool.LimitText, std::to_string(negCool.Min) + "%");
    EXPECT_EQ(negCool.ValueText, "-20%");
    const TDlg::TBar& posHeat = dlg->Bar(TDlg::dbPosHeating);
    EXPECT_EQ(posHeat.Min, 0);
    EXPECT_EQ(posHeat.Max, static_cast<int>(std::lround(limits.GetMaxHeatDeviation() * 100)));
    EXPECT_EQ(posHeat.LimitText, std::to_string(posHeat.Max) + "%");

    dlg->MoveBar(TDlg::dbPosCooling, 10);
    dlg->MoveBar(TDlg::dbPosHeating, 15);
    EXPECT_EQ(dlg->Bar(TDlg::dbPosHeating).ValueText, "15%");
    dlg->MoveBar(TDlg::dbNegHeating, -1000);
    EXPECT_EQ(dlg->Bar(TDlg::dbNegHeating).Position, dlg->Bar(TDlg::dbNegHeating).Min);
    dlg->MoveBar(TDlg::dbNegCooling, 5);
    EXPECT_EQ(dlg->Bar(TDlg::dbNegCooling).Position, 0);
    ASSERT_TRUE(dlg->Accept().Accepted);
    EXPECT_EQ(TDlg::Values().POSCOOLING, 0.1);
    EXPECT_EQ(TDlg::Values().POSHEATING, 0.15);
    EXPECT_EQ(TDlg::Values().NEGCOOLING, 0.0);
    EXPECT_EQ(registry->CurrentUser().ReadDouble(kPreferencesKey, "POSHEATING", 0.0), 0.15);
    // The next run uses the new window.
    EXPECT_EQ(page->Request().PosCooling, 0.1);
}

TEST_F(PreferencesDialog, RefrigerantsMoveBetweenListsAndAnEmptyAllowedListIsRefused) {
    Page();
    auto dlg = Open();
    const std::vector<std::string> all = Names(*dlg, TDlg::rlAllowed);
    ASSERT_GE(all.size(), 2U);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_TRUE(dlg->Refrigerants(TDlg::rlNotAllowed).empty());
    EXPECT_FALSE(dlg->MoveEnabled(TDlg::rlAllowed));
    EXPECT_FALSE(dlg->MoveEnabled(TDlg::rlNotAllowed));

    dlg->SelectRefrigerant(TDlg::rlAllowed, 1, true);
    EXPECT_TRUE(dlg->MoveEnabled(TDlg::rlAllowed));
    dlg->MoveSelected(TDlg::rlAllowed);
    EXPECT_EQ(Names(*dlg, TDlg::rlNotAllowed), std::vector<std::string>{all[1]});
    EXPECT_FALSE(dlg->MoveEnabled(TDlg::rlAllowed));
    EXPECT_FALSE(dlg->MoveEnabled(TDlg::rlNotAllowed));  // moved items are not selected

    // Everything not allowed: refused, nothing written, the dialog as it was.
    for (std::size_t n = 0; n < dlg->Refrigerants(TDlg::rlAllowed).size(); ++n) {
        dlg->SelectRefrigerant(TDlg::rlAllowed, n, true);
    }
    dlg->MoveSelected(TDlg::rlAllowed);
    EXPECT_EQ(Names(*dlg, TDlg::rlNotAllowed), all);
    const std::string szStored = registry->CurrentUser().ReadString("Software\\Orvane\\Quillon Selection", "REFRIG_NA", "");
    const TDlg::TAcceptResult refused = dlg->Accept();
    EXPECT_FALSE(refused.Accepted);
    EXPECT_EQ(refused.Message, "At least one refrigerant must be allowed.");
    EXPECT_TRUE(refused.FocusNotAllowed);
    EXPECT_EQ(registry->CurrentUser().ReadString("Software\\Orvane\\Quillon Selection", "REFRIG_NA", ""), szStored);

    // A double-click brings the first one back; OK stores the others.
    dlg->DoubleClickRefrigerant(TDlg::rlNotAllowed, 0);
    EXPECT_EQ(Names(*dlg, TDlg::rlAllowed), std::vector<std::string>{all[0]});
    ASSERT_TRUE(dlg->Accept().Accepted);
    const std::size_t nUnits = session->v_PrefChillers.size();
    page->PreferencesAccepted();
    EXPECT_LT(session->v_PrefChillers.size(), nUnits);
    EXPECT_EQ(session->v_Refrigerants.size(), 1U);
    EXPECT_EQ(session->v_Refrigerants.front()->GetName(), all[0]);
    for (const Cls_ChOutdoorUnit* pUnit : session->v_PrefChillers) {
        std::int32_t nCls = 0, nObj = 0;
        pUnit->GetRefrigerant_REF(nCls, nObj);
        EXPECT_EQ(nObj, session->v_Refrigerants.front()->GetID());
    }
    // A reopened dialog shows the stored split.
    EXPECT_EQ(Names(*Open(), TDlg::rlAllowed), std::vector<std::string>{all[0]});
}

TEST_F(PreferencesDialog, CancelLeavesTheSettingsFileByteIdentical) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("prefs_cancel_" + std::to_string(getpid()));
    fs::remove_all(folder);
    platform::CTRegistry fileRegistry(
        std::make_shared<platform::CTFileSettingsStore>((folder / "registry.ini").string(), false),
        std::make_shared<platform::CTMemorySettingsStore>(true));
    const platform::CTRegistrySubstitute use(fileRegistry);
    Page();
    TDlg::WriteRegistry();
    const auto read = [&] {
        std::ifstream in(folder / "registry.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = read();
    ASSERT_FALSE(before.empty());

    auto dlg = Open();
    dlg->ChooseUnit(TDlg::ugTemperature, 1);
    dlg->MoveBar(TDlg::dbPosCooling, 3);
    dlg->DoubleClickRefrigerant(TDlg::rlAllowed, 0);
    dlg->ChooseMaxSolution(7);
    dlg->Choices().ESEER = false;
    dlg->Choices().CoverPage = "/tmp/cover.rtf";
    dlg->ApplicationOptions().SetBox(TFrm_ChApplicationOptions::bxSoundL, false);
    dlg->RestoreDefaults();
    dlg->Cancel();
    EXPECT_EQ(read(), before);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);
    fs::remove_all(folder);
}

TEST_F(PreferencesDialog, FahrenheitReexpressesThePanelAfterOK) {
    TSettingsPage& settings = Page();
    const TFrm_ChTempScrollEntries& evaporator = settings.Panel().Box_CEvaporator();
    ASSERT_EQ(evaporator.Leaving().Text(), "7.0");
    auto dlg = Open();
    EXPECT_EQ(dlg->UnitGroup(TDlg::ugTemperature).Items, (std::vector<std::string>{"°C", "°F"}));
    dlg->ChooseUnit(TDlg::ugTemperature, 1);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);  // nothing applied before OK
    ASSERT_TRUE(dlg->Accept().Accepted);
    settings.PreferencesAccepted();
    EXPECT_EQ(settings.Panel().TemperatureUnitCaption(), "°F");
    EXPECT_EQ(evaporator.Leaving().Text(), "44.6");
    EXPECT_EQ(evaporator.DeltaT().Text(), "9.0");
    EXPECT_DOUBLE_EQ(settings.Panel().GetCoolLeavingE(), 7.0);
    // The stored row is selected again, the results invalidated.
    EXPECT_EQ(settings.List().GetSelFamily(), famCoolingOnly);
    EXPECT_FALSE(settings.ResultsAvailable());
    EXPECT_EQ(registry->CurrentUser().ReadInteger(std::string(kPreferencesKey) + "\\Units", "Units19", 0), 1);
}

TEST_F(PreferencesDialog, RestoreDefaultsChangesOnlyTheDialog) {
    Page();
    auto dlg = Open();
    dlg->ChooseUnit(TDlg::ugFluidFlow, 3);
    dlg->ChooseUnit(TDlg::ugPressureDrop, 3);
    dlg->ChooseUnit(TDlg::ugCapacity, 2);
    dlg->ChooseUnit(TDlg::ugTemperature, 1);
    dlg->DoubleClickRefrigerant(TDlg::rlAllowed, 0);
    dlg->MoveBar(TDlg::dbNegCooling, -3);
    dlg->MoveBar(TDlg::dbPosHeating, 4);
    dlg->ChooseMaxSolution(8);
    dlg->ApplicationOptions().SetBox(TFrm_ChApplicationOptions::bxVersionX, false);
    dlg->Choices() = TDlg::TChoices{false, false, "/tmp/specs", "/tmp/cover.rtf", false};
    const TPreferences stored = TDlg::Values();

    dlg->RestoreDefaults();
    const auto shown = [&](TDlg::TUnitGroup group) {
        const TDlg::TUnitChoice& choice = dlg->UnitGroup(group);
        return choice.Items.at(static_cast<std::size_t>(choice.ItemIndex));
    };
    EXPECT_EQ(shown(TDlg::ugFluidFlow), "l/min");
    EXPECT_EQ(shown(TDlg::ugPressureDrop), "kPa");
    EXPECT_EQ(shown(TDlg::ugCapacity), "kW");
    EXPECT_EQ(shown(TDlg::ugTemperature), "°C");
    EXPECT_EQ(dlg->UnitGroup(TDlg::ugFluidFlow).Title, "Fluid flow");
    EXPECT_TRUE(dlg->Refrigerants(TDlg::rlNotAllowed).empty());
    EXPECT_EQ(dlg->Bar(TDlg::dbNegCooling).Position, -20);
    EXPECT_EQ(dlg->Bar(TDlg::dbPosCooling).Position, 20);
    EXPECT_EQ(dlg->Bar(TDlg::dbNegHeating).Position, -20);
    EXPECT_EQ(dlg->Bar(TDlg::dbPosHeating).Position, 20);
    EXPECT_EQ(dlg->MaxSolutionIndex(), session->v_Limits->GetMaxSolutions() - 1);
    EXPECT_TRUE(dlg->ApplicationOptions().Box(TFrm_ChApplicationOptions::bxVersionX).Checked);
    EXPECT_EQ(dlg->Choices().CoverPage, "");
    EXPECT_EQ(dlg->Choices().SpecTexts, "");
    EXPECT_TRUE(dlg->Choices().ESEER && dlg->Choices().OperationRange && dlg->Choices().PressureDrop);
    // Nothing applied before OK.
    EXPECT_EQ(TDlg::Values(), stored);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 0);
}

TEST_F(PreferencesDialog, TheOptionsPageOffersEveryVariantWithTheStandardOnesFixed) {
    Page();
    TDlg::Values().SOUND_R = false;
    auto dlg = Open();
    const TFrm_ChApplicationOptions& options = dlg->ApplicationOptions();
    for (const auto box : {TFrm_ChApplicationOptions::bxVersionS, TFrm_ChApplicationOptions::bxSoundS}) {
        EXPECT_FALSE(options.Box(box).Enabled);
        EXPECT_TRUE(options.Box(box).Checked);
    }
    EXPECT_TRUE(options.Box(TFrm_ChApplicationOptions::bxSoundX).Enabled);
    EXPECT_FALSE(options.Box(TFrm_ChApplicationOptions::bxSoundR).Checked);
    EXPECT_FALSE(dlg->ApplicationOptions().SetBox(TFrm_ChApplicationOptions::bxVersionS, false));
    ASSERT_TRUE(dlg->ApplicationOptions().SetBox(TFrm_ChApplicationOptions::bxVersionX, false));
    dlg->Choices().OperationRange = false;
    dlg->Choices().SpecTexts = "/srv/specs";
    ASSERT_TRUE(dlg->Accept().Accepted);
    EXPECT_FALSE(TDlg::Values().VERSION_X);
    EXPECT_FALSE(TDlg::Values().SOUND_R);
    EXPECT_FALSE(TDlg::Values().OPRANGE);
    EXPECT_EQ(registry->CurrentUser().ReadString(kPreferencesKey, "SPECTEXTS", ""), "/srv/specs");
}

}  // namespace
}  // namespace brumalis::testing
