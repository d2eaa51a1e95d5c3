#include "catalogue/units.h"
#include "localisation/number_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/settings_store.h"

namespace brumalis {
namespace {

// Every test starts from the table the program has after start-up.
class UnitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TU_Form::CleanupUnits();
        TU_Form::InitializeUnits();
        TU_Form::AddDisplayUnits();
    }
    void TearDown() override {
        TU_Form::CleanupUnits();
        SetDecimalSeparator('.');
    }
};

struct TExpectedDim {
    const char* szCaption;
    long double nScale;
    long double nOffset;
    int nDigits;
};

void ExpectUnits(U_RepUnit quantity, const std::vector<TExpectedDim>& expected) {
    SCOPED_TRACE(TU_Form::UnitString(quantity));
    ASSERT_EQ(TU_Form::DimensionCount(quantity), static_cast<int>(expected.size()));
    for (int n = 0; n < static_cast<int>(expected.size()); ++n) {
        const TExpectedDim& dim = expected[static_cast<std::size_t>(n)];
        SCOPED_TRACE(dim.szCaption);
        EXPECT_EQ(TU_Form::GetSpecificString(quantity, n), dim.szCaption);
        EXPECT_EQ(TU_Form::GetDigits(quantity, n), dim.nDigits);
        // One unit of the display unit, as a difference and at the zero point.
        EXPECT_EQ(TU_Form::ConvertValue(quantity, n, false, 0, 1.0), static_cast<double>(dim.nScale));
        EXPECT_EQ(TU_Form::ConvertValue(quantity, n, true, 0, 0.0), static_cast<double>(-dim.nOffset * dim.nScale));
    }
}

TEST_F(UnitsTest, StartUpTableHasEveryCaptionScaleOffsetAndDigit) {
    ExpectUnits(U_None, {{"None", 1, 0, 1}});
    ExpectUnits(U_Airflow, {{"l/s", 1, 0, 1},
                            {"l/min", 1.0L / 60, 0, 0},
                            {"gph (UK)", 0.0012628L, 0, 1},
                            {"gph (US)", 0.0010515L, 0, 1},
                            {"gpm (UK)", 0.0757682L, 0, 1},
                            {"gpm (US)", 0.0630902L, 0, 1}});
    ExpectUnits(U_Current, {{"A", 1, 0, 1}});
    ExpectUnits(U_Density, {{"kg/m³", 1, 0, 3}, {"kg/l", 1000, 0, 4}});
    ExpectUnits(U_Energy, {{"kJ", 1, 0, 1}, {"kWh", 3600, 0, 1}, {"kcal", 4.1868L, 0, 0}});
    ExpectUnits(U_Enthalpy, {{"kJ/kg", 1, 0, 1}, {"kcal/kg", 4.1868L, 0, 1}});
    ExpectUnits(U_HeatTransfer, {{"W/m²", 1, 0, 1}, {"kcal/h m²", 1.1622222222222223L, 0, 1}});
    ExpectUnits(U_Length, {{"m", 1, 0, 0}, {"ft", 0.3048L, 0, 0}});
    ExpectUnits(U_MediumLength, {{"cm", 1, 0, 1}});
    ExpectUnits(U_ShortLength, {{"mm", 1, 0, 0}, {"inch", 25.4L, 0, 1}});
    ExpectUnits(U_Mass, {{"kg", 1, 0, 1}, {"lbs", 0.45359237L, 0, 1}});
    ExpectUnits(U_ShortMass, {{"g", 1, 0, 0}});
    ExpectUnits(U_Power, {{"kW", 1, 0, 1},
                          {"kcal/h", 0.0011622222222222223L, 0, 0},
                          {"BTU/h", 0.0002930711111111L, 0, 0},
                          {"Ton", 3.516852L, 0, 1}});
    ExpectUnits(U_Pressure,
                {{"Pa", 1, 0, 0}, {"kPa", 1000, 0, 1}, {"Bar", 100000, 0, 1}, {"mH2O", 9806.650124809235L, 0, 1}});
    ExpectUnits(U_Humidity, {{"kg/kg", 1, 0, 4}, {"g/kg", 0.001L, 0, 1}, {"lbs/lbs", 1, 0, 4}});
    ExpectUnits(U_RotationalSpeed, {{"RPM", 1, 0, 0}});
    ExpectUnits(U_Sound, {{"DB", 1, 0, 0}});
    ExpectUnits(U_Speed, {{"m/s", 1, 0, 0}, {"km/h", 0.2777777777777778L, 0, 3}});
    ExpectUnits(U_Surface, {{"m²", 1, 0, 3}});
    ExpectUnits(U_Temperature, {{"°C", 1, 0, 1}, {"°F", 5.0L / 9, 32, 1}});
    ExpectUnits(U_Tension, {{"V", 1, 0, 0}});
    ExpectUnits(U_Volume, {{"m³", 1, 0, 3}});
    for (int n = U_Appl1; n <= U_Appl9; ++n) {
        const auto quantity = static_cast<U_RepUnit>(n);
        EXPECT_EQ(TU_Form::UnitString(quantity), "Appl" + std::to_string(n - U_Appl1 + 1));
        ExpectUnits(quantity, {{"", 1, 0, 1}});
    }
    for (int n = 0; n < kUnitQuantityCount; ++n) EXPECT_EQ(TU_Form::GetNewIndex(static_cast<U_RepUnit>(n)), 0);
}

TEST_F(UnitsTest, PreferencesGroupsBeforeStartUpAndBuiltOnlyOnce) {
    TU_Form::CleanupUnits();
    TU_Form::InitializeUnits();
    ExpectUnits(U_Airflow, {{"l/s", 1, 0, 1}, {"m³/h", 0.2777777777777778L, 0, 0}, {"m³/s", 1000, 0, 1}});
    ExpectUnits(U_Pressure, {{"Pa", 1, 0, 1}, {"mBar", 100, 0, 3}, {"mmH2O", 9.80665L, 0, 3}});
    ExpectUnits(U_Power, {{"kW", 1, 0, 1}, {"kcal/h", 0.0011622222222222223L, 0, 0}});
    ExpectUnits(U_Length, {{"m", 1, 0, 3}});
    ExpectUnits(U_Mass, {{"kg", 1, 0, 3}, {"lbs", 0.45359237L, 0, 3}});
    // The main window initialises again: the chosen unit survives.
    TU_Form::SetNewIndex(U_Mass, 1, false);
    TU_Form::InitializeUnits();
    EXPECT_EQ(TU_Form::GetNewIndex(U_Mass), 1);
}

TEST_F(UnitsTest, ConvertsAbsoluteValuesAndDifferencesThroughTheInternalUnit) {
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Temperature, 1, true, 0, 68.0), 20.0);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Temperature, 1, false, 0, 9.0), 5.0);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Temperature, 0, true, 1, -40.0), -40.0);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Temperature, 0, false, 1, 5.0), 9.0);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Airflow, 4, true, 1, 1.0), 4.546092);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Power, 3, true, 2, 1.0), 3.516852 / 0.0002930711111111);
    // Equal indices leave even the offset alone.
    EXPECT_EQ(TU_Form::ConvertValue(U_Temperature, 1, true, 1, 68.0), 68.0);
}

TEST_F(UnitsTest, IndicesOutsideTheListReadAsTheInternalUnit) {
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Airflow, 7, true, 1, 1.0), 60.0);
    EXPECT_DOUBLE_EQ(TU_Form::ConvertValue(U_Airflow, 1, true, -1, 60.0), 1.0);
    EXPECT_EQ(TU_Form::ConvertValue(U_Airflow, 7, true, 0, 3.5), 3.5);
    EXPECT_EQ(TU_Form::GetSpecificString(U_Temperature, 2), "°C");
    EXPECT_EQ(TU_Form::GetDigits(U_Density, 5), 3);

    TU_Form::SetSpecificString(U_Density, 2, "t/m³");
    TU_Form::SetDigits(U_Density, -1, 9);
    ExpectUnits(U_Density, {{"kg/m³", 1, 0, 3}, {"kg/l", 1000, 0, 4}});
    TU_Form::SetSpecificString(U_Density, 1, "t/m³");
    TU_Form::SetDigits(U_Density, 1, 2);
    ExpectUnits(U_Density, {{"kg/m³", 1, 0, 3}, {"t/m³", 1000, 0, 2}});
}

TEST_F(UnitsTest, ParsesTypedTextInTheCurrentUnit) {
    EXPECT_EQ(TU_Form::GetDimensionedValue("1 234,5", U_None, true), 10234.5);
    EXPECT_EQ(TU_Form::GetDimensionedValue("  -2.5\t", U_None, true), -2.5);
    EXPECT_EQ(TU_Form::GetDimensionedValue("+1e3", U_None, true), 1000.0);
    for (const char* szBad : {"abc", "", "1,234.5", "inf", "0x10", "2 kW"}) {
        EXPECT_EQ(TU_Form::GetDimensionedValue(szBad, U_None, true), 0.0) << szBad;
    }
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    EXPECT_DOUBLE_EQ(TU_Form::GetDimensionedValue("68", U_Temperature, true), 20.0);
    EXPECT_DOUBLE_EQ(TU_Form::GetDimensionedValue("9,0", U_Temperature, false), 5.0);
}

TEST_F(UnitsTest, FormatsInTheCurrentUnitWithTheUsersSeparator) {
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    EXPECT_EQ(TU_Form::PutFmtDimensionedValue(U_Temperature, 6, true, 20.0), "  68.0");
    EXPECT_EQ(TU_Form::PutFmtDimensionedValue(U_Temperature, 1, false, 5.0), "9.0");
    TU_Form::SetNewIndex(U_Pressure, 1, false);
    EXPECT_EQ(TU_Form::PutFmtDimensionedValue(U_Pressure, 0, true, 12345.0), "12.3");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_Pressure, 4, true, 12345.0), "12.35");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_Pressure, 4, true, 1000.0), "1");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_None, 3, true, 123456.0), "1.23E05");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_None, 3, true, -0.0000015), "-1.5E-06");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_None, 3, true, 0.000123), "0.000123");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_None, 2, true, 99.7), "1E02");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_None, 5, true, 0.0), "0");

    EXPECT_EQ(SetDecimalSeparator(','), '.');
    EXPECT_EQ(TU_Form::PutFmtDimensionedValue(U_Temperature, 6, true, 20.0), "  68,0");
    EXPECT_EQ(TU_Form::PutDimensionedValue(U_Pressure, 4, true, 12345.0), "12,35");
    EXPECT_DOUBLE_EQ(TU_Form::GetDimensionedValue("12.35", U_Pressure, true), 12350.0);
    TU_Form::SetDigits(U_None, 0, -1);
    EXPECT_EQ(TU_Form::PutFmtDimensionedValue(U_None, 0, true, 1500.0), "1,50000000000000E+0003");
}

// Records what a subscriber is told.
struct TRecorder {
    std::vector<std::tuple<void*, int, std::string, std::string, int>> calls;

    TDimChangeProc Proc() {
        return [this](void* pObject, int nOld, const std::string& szOld, const std::string& szNew, int nNew) {
            calls.emplace_back(pObject, nOld, szOld, szNew, nNew);
        };
    }
};

TEST_F(UnitsTest, ChangingTheDisplayUnitTellsTheQuantitysSubscribersInOrder) {
    TRecorder recorder;
    int first = 0;
    int second = 0;
    int other = 0;
    TU_Form::RegisterDimChange(&first, recorder.Proc(), U_Temperature);
    TU_Form::RegisterDimChange(&second, recorder.Proc(), U_Temperature);
    TU_Form::RegisterDimChange(&first, recorder.Proc(), U_Temperature);  // already there
    TU_Form::RegisterDimChange(&other, recorder.Proc(), U_Power);

    TU_Form::SetNewIndex(U_Temperature, 1, true);
    using TCall = std::tuple<void*, int, std::string, std::string, int>;
    const std::vector<TCall> expected = {{&first, 0, "°C", "°F", 1}, {&second, 0, "°C", "°F", 1}};
    EXPECT_EQ(recorder.calls, expected);
    EXPECT_EQ(TU_Form::GetCurrentString(U_Temperature), "°F");

    recorder.calls.clear();
    TU_Form::SetNewIndex(U_Temperature, 2, true);  // not a unit of the quantity
    TU_Form::SetNewIndex(U_Temperature, 0, false);
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);

    TU_Form::UnregisterDimChange(&first, {}, U_Temperature);
    TU_Form::SetNewIndex(U_Temperature, 1, true);
    EXPECT_EQ(recorder.calls, (std::vector<TCall>{{&second, 0, "°C", "°F", 1}}));
}

TEST_F(UnitsTest, DeletingTheCurrentUnitOrOneBelowItFallsBackToTheInternalUnit) {
    TRecorder recorder;
    int subscriber = 0;
    TU_Form::RegisterDimChange(&subscriber, recorder.Proc(), U_Airflow);
    TU_Form::SetNewIndex(U_Airflow, 3, false);

    TU_Form::DeleteDimension(U_Airflow, 0);
    TU_Form::DeleteDimension(U_Airflow, 6);
    TU_Form::DeleteDimension(U_Airflow, 4);  // above the current unit
    EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 5);
    EXPECT_EQ(TU_Form::GetCurrentString(U_Airflow), "gph (US)");
    EXPECT_TRUE(recorder.calls.empty());

    TU_Form::DeleteDimension(U_Airflow, 2);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 0);
    ASSERT_EQ(recorder.calls.size(), 1U);
    EXPECT_EQ(std::get<1>(recorder.calls[0]), 3);
    EXPECT_EQ(std::get<3>(recorder.calls[0]), "l/s");
    EXPECT_EQ(std::get<4>(recorder.calls[0]), 0);
    EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, 2), "gph (US)");

    TU_Form::SetNewIndex(U_Airflow, 3, false);  // the last one, "gpm (US)"
    TU_Form::DeleteDimension(U_Airflow, 3);
    EXPECT_EQ(TU_Form::GetCurrentString(U_Airflow), "l/s");
    EXPECT_EQ(recorder.calls.size(), 2U);
}

TEST_F(UnitsTest, ASubscriberMayLeaveWhileItIsTold) {
    int leaving = 0;
    int staying = 0;
    int nStayingCalls = 0;
    TU_Form::RegisterDimChange(
        &leaving, [](void* pObject, int, const std::string&, const std::string&, int) {
            TU_Form::UnregisterDimChange(pObject, {}, U_Power);
        },
        U_Power);
    TU_Form::RegisterDimChange(
        &staying, [&nStayingCalls](void*, int, const std::string&, const std::string&, int) { ++nStayingCalls; },
        U_Power);
    TU_Form::SetNewIndex(U_Power, 3, true);
    TU_Form::SetNewIndex(U_Power, 0, true);
    EXPECT_EQ(nStayingCalls, 2);
}

TEST_F(UnitsTest, RedimensionsBetweenRelatedQuantitiesOnly) {
    EXPECT_EQ(TU_Form::RedimValue(U_Length, U_MediumLength, 1.5), 150.0);
    EXPECT_EQ(TU_Form::RedimValue(U_Length, U_ShortLength, 1.5), 1500.0);
    EXPECT_EQ(TU_Form::RedimValue(U_MediumLength, U_Length, 150.0), 1.5);
    EXPECT_EQ(TU_Form::RedimValue(U_MediumLength, U_ShortLength, 1.5), 15.0);
    EXPECT_EQ(TU_Form::RedimValue(U_ShortLength, U_Length, 1500.0), 1.5);
    EXPECT_EQ(TU_Form::RedimValue(U_ShortLength, U_MediumLength, 15.0), 1.5);
    EXPECT_EQ(TU_Form::RedimValue(U_Mass, U_ShortMass, 2.5), 2500.0);
    EXPECT_EQ(TU_Form::RedimValue(U_ShortMass, U_Mass, 2500.0), 2.5);
    EXPECT_EQ(TU_Form::RedimValue(U_Length, U_ShortMass, 2.5), 2.5);
    EXPECT_EQ(TU_Form::RedimValue(U_Length, U_Length, 2.5), 2.5);
    EXPECT_EQ(TU_Form::RedimValue(U_Temperature, U_Power, 2.5), 2.5);
}

// A radio group as the preferences dialog has one per quantity.
class CTFakeRadioGroup : public CTTranslatableComponent {
public:
    TComponentKind Kind() const override { return TComponentKind::RadioGroup; }
    std::optional<std::string> GetText(std::string_view) const override { return szCaption; }
    void SetText(std::string_view, const std::string& szValue) override { szCaption = szValue; }
    std::vector<std::string> GetItems() const override { return items; }
    void SetItems(const std::vector<std::string>& newItems) override { items = newItems; }
    int GetItemIndex() const override { return nIndex; }
    void SetItemIndex(int n) override { nIndex = n; }
    std::vector<CTTranslatableComponent*> OwnedComponents() const override { return {}; }

    std::string szCaption;
    std::vector<std::string> items;
    int nIndex = -1;
};

TEST_F(UnitsTest, RadioGroupShowsAndChoosesTheDisplayUnit) {
    TU_Form::SetNewIndex(U_Pressure, 2, false);
    CTFakeRadioGroup group;
    TU_Form::AssignControl(U_Pressure, group);
    EXPECT_EQ(group.szCaption, "Pressure");
    EXPECT_EQ(group.items, (std::vector<std::string>{"Pa", "kPa", "Bar", "mH2O"}));
    EXPECT_EQ(group.nIndex, 2);

    TRecorder recorder;
    TU_Form::RegisterDimChange(&group, recorder.Proc(), U_Pressure);
    group.nIndex = 3;
    TU_Form::DoDimensionChange(U_Pressure, group);
    EXPECT_EQ(TU_Form::GetCurrentString(U_Pressure), "mH2O");
    EXPECT_EQ(recorder.calls.size(), 1U);
}

class UnitsSettingsTest : public UnitsTest {
protected:
    static constexpr const char* kKey = "Software\\Orvane\\Brumalis\\Preferences\\Units";

    std::shared_ptr<platform::CTMemorySettingsStore> pUser = std::make_shared<platform::CTMemorySettingsStore>();
    platform::CTRegistry registry{pUser, std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute substitute{registry};
};

TEST_F(UnitsSettingsTest, SavesEveryQuantityButNoneAndLoadsWithoutTellingSubscribers) {
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    TU_Form::SetNewIndex(U_Pressure, 3, false);
    TU_Form::SaveSettingsToRegistry();
    EXPECT_EQ(pUser->ValueNames(kKey).size(), 30U);
    EXPECT_FALSE(pUser->ReadValue(kKey, "Units0").has_value());
    EXPECT_EQ(pUser->ReadInteger(kKey, "Units19", -1), 1);
    EXPECT_EQ(pUser->ReadInteger(kKey, "Units13", -1), 3);
    EXPECT_EQ(pUser->ReadInteger(kKey, "Units30", -1), 0);

    TU_Form::CleanupUnits();
    TU_Form::AddDisplayUnits();
    TRecorder recorder;
    TU_Form::RegisterDimChange(&recorder, recorder.Proc(), U_Temperature);
    TU_Form::LoadSettingsFromRegistry();
    EXPECT_EQ(TU_Form::GetCurrentString(U_Temperature), "°F");
    EXPECT_EQ(TU_Form::GetCurrentString(U_Pressure), "mH2O");
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(UnitsSettingsTest, LoadingKeepsUnitsForValuesOutOfRangeAndResetsMissingOnes) {
    pUser->WriteInteger(kKey, "Units19", 5);
    pUser->WriteString(kKey, "Units12", "3");
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    TU_Form::SetNewIndex(U_Power, 2, false);
    TU_Form::SetNewIndex(U_Pressure, 1, false);
    TU_Form::LoadSettingsFromRegistry();
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 1);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Power), 0);  // not an Integer: read as 0
    EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 0);

    pUser->DeleteValue(kKey, "Units19");
    TU_Form::LoadSettingsFromRegistry();
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);
}

TEST_F(UnitsSettingsTest, AKeyThatCannotBeOpenedLeavesEveryIndex) {
    pUser->SetReadOnly(true);
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    TU_Form::LoadSettingsFromRegistry();
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 1);
    TU_Form::SaveSettingsToRegistry();
    EXPECT_FALSE(pUser->KeyExists(kKey));
}

}  // namespace
}  // namespace brumalis
