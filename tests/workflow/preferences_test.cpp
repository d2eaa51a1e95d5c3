#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue/units.h"
#include "platform/settings_store.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "workflow/preferences.h"
#include "catalogue/unit_classes.h"

namespace brumalis {
namespace {

class Preferences : public testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        limits = New<Cls_ChLimits>();
        // Entering below leaving on purpose: delta T defaults are distances.
        limits->SetECLW(6);
        limits->SetECEW(11);
        limits->SetCWCLW(30);
        limits->SetCWCEW(35);
        limits->SetMaxSolutions(7);
        limits->SetStoredMinTemp(0.0);
    }
    void TearDown() override {
        TU_Form::SetNewIndex(U_Temperature, 0, false);
        limits.reset();  // records go before their factory
        CatalogueFixture::TearDown();
    }
    platform::CTSettingsStore& Store() { return platform::Registry().CurrentUser(); }

    std::unique_ptr<Cls_ChLimits> limits;
};

TEST_F(Preferences, FirstStartTakesTheLimitsDefaults) {
    TFrm_Preferences::Values().FAMILY = 99;
    TFrm_Preferences::ReadRegistry(*limits);
    const TPreferences& prefs = TFrm_Preferences::Values();
    EXPECT_EQ(prefs.CONDENSER, 0);
    EXPECT_EQ(prefs.FAMILY, 4);
    EXPECT_EQ(prefs.COMPRESSOR, 0);
    EXPECT_EQ(prefs.COOL_LWE, 6.0);
    EXPECT_EQ(prefs.COOL_DTE, 5.0);
    EXPECT_EQ(prefs.COOL_WLWC, 30.0);
    EXPECT_EQ(prefs.COOL_WDTC, 5.0);
    EXPECT_EQ(prefs.COOL_ALWC, 45.0);
    EXPECT_EQ(prefs.COOL_ADTC, 5.0);
    EXPECT_EQ(prefs.HEAT_WLWC, 35.0);
    EXPECT_EQ(prefs.SUMMER, 35.0);
    EXPECT_EQ(prefs.WINTER, 7.0);
    EXPECT_EQ(prefs.CONDENSING, 45.0);
    EXPECT_EQ(prefs.MAXSOLUTION, 7);
    EXPECT_EQ(prefs.NEGCOOLING, -0.2);
    EXPECT_EQ(prefs.POSHEATING, 0.2);
    EXPECT_TRUE(prefs.SELCOOLING && prefs.VERSION_A && prefs.SOUND_X && prefs.ESEER && prefs.DIMENSIONAL);
    EXPECT_TRUE(prefs.COVERPAGE.empty());
    EXPECT_TRUE(Store().KeyExists(kPreferencesKey));
}

TEST_F(Preferences, EveryValueSurvivesWritingAndReadingExactly) {
    TPreferences written = DefaultPreferences(*limits);
    written.CONDENSER = 2;
    written.FAMILY = 16;
    written.COMPRESSOR = 41;
    written.REFRIGERANT = -3;
    written.VERSION_X = written.SOUND_R = written.SELCOOLING = written.OPRANGE = written.ESEER = false;
    written.COOL_LWE = 0.1;
    written.COOL_DTE = 1.0 / 3.0;
    written.COOL_ALWC = std::nextafter(45.0, 46.0);
    written.HEAT_WDTC = 1e-300;
    written.CONDENSING = -0.0;
    written.NEGCOOLING = -0.15;
    written.POSHEATING = 0.1 + 0.2;
    written.MAXSOLUTION = 10;
    written.COVERPAGE = "C:\\Covers\\100% =cover.rtf";
    written.SPECTEXTS = "line\nbreak";
    TFrm_Preferences::Values() = written;
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    TFrm_Preferences::WriteRegistry();

    TFrm_Preferences::Values() = TPreferences{};
    TU_Form::SetNewIndex(U_Temperature, 0, false);
    TFrm_Preferences::ReadRegistry(*limits);
    EXPECT_EQ(TFrm_Preferences::Values(), written);
    EXPECT_TRUE(std::signbit(TFrm_Preferences::Values().CONDENSING));
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 1);  // the units come along

    // Stored with their own types.
    EXPECT_TRUE(std::holds_alternative<double>(*Store().ReadValue(kPreferencesKey, "SUMMER")));
    EXPECT_TRUE(std::holds_alternative<std::int32_t>(*Store().ReadValue(kPreferencesKey, "MAXSOLUTION")));
    EXPECT_TRUE(std::holds_alternative<bool>(*Store().ReadValue(kPreferencesKey, "OPRANGE")));
    EXPECT_TRUE(std::holds_alternative<std::string>(*Store().ReadValue(kPreferencesKey, "SPECTEXTS")));
}

TEST_F(Preferences, UnreadableValuesTakeTheirDefaultOthersAreRead) {
    Store().WriteString(kPreferencesKey, "COOL_LWE", "cold");
    Store().WriteDouble(kPreferencesKey, "MAXSOLUTION", 3.0);
    Store().WriteInteger(kPreferencesKey, "ESEER", 0);
    Store().WriteDouble(kPreferencesKey, "WINTER", -4.5);
    TFrm_Preferences::ReadRegistry(*limits);
    const TPreferences& prefs = TFrm_Preferences::Values();
    EXPECT_EQ(prefs.COOL_LWE, 6.0);
    EXPECT_EQ(prefs.MAXSOLUTION, 7);
    EXPECT_TRUE(prefs.ESEER);
    EXPECT_EQ(prefs.WINTER, -4.5);
}

TEST_F(Preferences, AStoreThatCannotBeOpenedLeavesTheDefaults) {
    platform::CTRegistry readOnly(std::make_shared<platform::CTMemorySettingsStore>(true),
                                  std::make_shared<platform::CTMemorySettingsStore>(true));
    const platform::CTRegistrySubstitute substitute(readOnly);
    TFrm_Preferences::Values().COOL_LWE = 99.0;
    TFrm_Preferences::ReadRegistry(*limits);
    EXPECT_EQ(TFrm_Preferences::Values(), DefaultPreferences(*limits));
    TFrm_Preferences::Values().FAMILY = 8;
    TFrm_Preferences::WriteRegistry();  // ignored, nothing reported
    EXPECT_FALSE(readOnly.CurrentUser().KeyExists(kPreferencesKey));
}

TEST_F(Preferences, ResetDefaultTempsRestoresTemperaturesOnly) {
    TFrm_Preferences::ReadRegistry(*limits);
    TPreferences& prefs = TFrm_Preferences::Values();
    prefs.COOL_LWE = 4.0;
    prefs.COOL_DTE = 7.0;
    prefs.CONDENSING = 50.0;
    prefs.WINTER = -5.0;
    prefs.CONDENSER = 1;
    prefs.FAMILY = 2;
    prefs.NEGCOOLING = -0.1;
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    TFrm_Preferences::WriteRegistry();

    TFrm_Preferences::ResetDefaultTemps(*limits);
    EXPECT_EQ(prefs.COOL_LWE, 6.0);
    EXPECT_EQ(prefs.COOL_DTE, 5.0);
    EXPECT_EQ(prefs.CONDENSING, 45.0);
    EXPECT_EQ(prefs.WINTER, 7.0);
    EXPECT_EQ(prefs.CONDENSER, 1);
    EXPECT_EQ(prefs.FAMILY, 2);
    EXPECT_EQ(prefs.NEGCOOLING, -0.1);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 1);
}

TEST_F(Preferences, CriteriaAreStoredPerCondenserWithLeavingTemperaturesAtLeastTheStoredMinimum) {
    TFrm_Preferences::ReadRegistry(*limits);
    TSelTempData data;
    data.SelectCooling = false;
    data.CoolLeavingE = -5.0;  // below the stored minimum of 0 °C
    data.CoolDeltaTE = 4.0;
    data.CoolLeavingC = 33.0;
    data.CoolDeltaTC = 6.0;
    data.Summer = 30.0;
    data.HeatLeavingE = 8.0;
    data.HeatDeltaTE = 3.0;
    data.HeatLeavingC = 40.0;
    data.HeatDeltaTC = 7.0;
    data.Winter = -3.0;
    TFrm_Preferences::StoreCriteria(ctWaterCooled, 2, 12, 34, data, *limits);
    const TPreferences& prefs = TFrm_Preferences::Values();
    EXPECT_EQ(prefs.COOL_LWE, 0.0);
    EXPECT_EQ(prefs.WINTER, -3.0);  // not a leaving temperature
    EXPECT_EQ(prefs.COOL_WLWC, 33.0);
    EXPECT_EQ(prefs.COOL_ALWC, 45.0);  // untouched by a water-cooled run
    EXPECT_EQ(prefs.HEAT_WDTC, 7.0);
    EXPECT_EQ(prefs.SUMMER, 30.0);
    EXPECT_FALSE(prefs.SELCOOLING);
    EXPECT_EQ(prefs.REFRIGERANT, 12);
    EXPECT_EQ(prefs.COMPRESSOR, 34);

    const TSelTempData water = TFrm_Preferences::GetTempData(ctWaterCooled);
    EXPECT_EQ(water.CoolLeavingC, 33.0);
    EXPECT_EQ(water.HeatDeltaTC, 7.0);
    EXPECT_EQ(TFrm_Preferences::GetTempData(ctAirCooled).CoolLeavingC, 45.0);

    data.Summer = 52.0;
    TFrm_Preferences::StoreCriteria(ctCondenserless, 16, 0, 0, data, *limits);
    EXPECT_EQ(prefs.CONDENSING, 52.0);
    EXPECT_EQ(prefs.SUMMER, 30.0);
    EXPECT_EQ(TFrm_Preferences::GetTempData(ctCondenserless).Summer, 52.0);
    EXPECT_EQ(TFrm_Preferences::GetTempData(ctAirCooled).Summer, 30.0);
}

}  // namespace
}  // namespace brumalis
