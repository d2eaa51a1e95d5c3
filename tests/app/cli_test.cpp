#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/price_records.h"
#include "catalogue/records.h"
#include "platform/settings_store.h"

namespace brumalis::app {
namespace {

// Every command runs on the embedded catalogue with a private settings store.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                          std::make_shared<platform::CTMemorySettingsStore>(true));
        substitute = std::make_unique<platform::CTRegistrySubstitute>(*registry);
    }
    void TearDown() override {
        substitute.reset();
        registry.reset();
        unsetenv("BRUMALIS_LANGUAGE");
    }
    std::string Select(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        EXPECT_EQ(RunSelect(args, out, err), 0);
        notes = err.str();
        return out.str();
    }

    std::unique_ptr<platform::CTRegistry> registry;
    std::unique_ptr<platform::CTRegistrySubstitute> substitute;
    std::string notes;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The numbers of one JSON key, in order of appearance.
std::vector<double> Values(const std::string& json, const std::string& key) {
    std::vector<double> values;
    const std::string pattern = "\"" + key + "\":";
    for (auto pos = json.find(pattern); pos != std::string::npos; pos = json.find(pattern, pos + 1)) {
        const std::string rest = json.substr(pos + pattern.size(), 32);
        if (rest.rfind("null", 0) == 0) continue;
        values.push_back(std::stod(rest));
    }
    return values;
}

TEST_F(CommandLine, ListShowsTheRowsOfTheSelectionList) {
    std::ostringstream out;
    ASSERT_EQ(RunList({}, out), 0);
    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_GT(lines.size(), 10U);
    EXPECT_EQ(lines[0].rfind("Condenser", 0), 0U);
    EXPECT_NE(out.str().find("Water cooled"), std::string::npos);
    EXPECT_NE(out.str().find("Condenserless"), std::string::npos);
    EXPECT_NE(out.str().find("- - - - -"), std::string::npos);
}

TEST_F(CommandLine, ACoveredRequirementGivesResultsInsideTheBandThatMatchTheTables) {
    const std::string json = Select({"--condenser", "air", "--family", "cooling", "--cooling", "350", "--lwe", "7",
                                     "--dte", "5", "--ambient", "35", "--json", "--no-store"});
    const std::vector<double> capacities = Values(json, "capacity_kw");
    ASSERT_FALSE(capacities.empty());
    for (double cap : capacities) {
        EXPECT_GE(cap, 350.0 * 0.8);
        EXPECT_LE(cap, 350.0 * 1.2);
    }
    // An independent look at the first result: its 7 °C capacity row at 35 °C.
    const auto modelPos = json.find("\"model\":\"") + 9;
    const std::string model = json.substr(modelPos, json.find('"', modelPos) - modelPos);
    const auto appPos = json.find("\"application\":\"") + 15;
    const std::string application = json.substr(appPos, json.find('"', appPos) - appPos);
    auto factory = SetUpCatalogueDatabaseSet();
    ASSERT_TRUE(factory->Connect(false));
    bool bChecked = false;
    for (auto& pUnit : RecordsAs<Cls_ChOutdoorUnit>(CTDbObject::GetAllRecords(Cls_ChOutdoorUnit::kClassID, false,
                                                                               factory.get()))) {
        std::string suffix = pUnit->GetNameSuffix();
        suffix.erase(0, suffix.find_first_not_of(' '));
        suffix.erase(suffix.find_last_not_of(' ') + 1);
        if (pUnit->GetName() != model || (suffix.empty() ? "STD" : suffix) != application) continue;
        for (auto& pRow : pUnit->GetAllChOutCapacity()) {
            if (pRow->GetType() != 3 || pRow->GetSelect1() != 7.0) continue;
            EXPECT_NEAR(pRow->GetRowValue(35.0), capacities.front(), 1e-6 * capacities.front());
            bChecked = true;
        }
    }
    CTDbObject::SetDefaultFactory(nullptr);
    EXPECT_TRUE(bChecked) << model << " " << application << " has no 7 °C row";
}

TEST_F(CommandLine, ARequirementFarOutsideTheCatalogueRejectsEveryUnitWithItsReason) {
    const std::string json = Select({"--condenser", "air", "--family", "cooling", "--cooling", "90000", "--json",
                                     "--no-store", "--versions", "S,X,P,*", "--sounds", "S,L,R,X"});
    EXPECT_NE(json.find("\"results\":[]"), std::string::npos);
    EXPECT_NE(json.find("\"current\":null"), std::string::npos);
    const std::vector<double> codes = Values(json, "code");
    ASSERT_GT(codes.size(), 20U);
    for (double code : codes) EXPECT_NE(code, 0.0);
    EXPECT_NE(json.find("Capacity is outside -20% to 20% of the required cooling capacity."), std::string::npos);
}

TEST_F(CommandLine, ValuesOutsideTheEntryRangesAreClampedAndSaid) {
    const std::string text = Select({"--condenser", "air", "--family", "cooling", "--cooling", "100", "--lwe", "-40",
                                     "--no-store"});
    EXPECT_NE(notes.find("--lwe -40 is outside the range"), std::string::npos) << notes;
    EXPECT_NE(text.find("Solutions found"), std::string::npos);
}

TEST_F(CommandLine, TheRunStoresItsCriteriaUnlessToldNotTo) {
    Select({"--condenser", "water", "--family", "cooling", "--cooling", "500", "--no-store"});
    platform::CTSettingsStore& user = platform::Registry().CurrentUser();
    const char* kKey = "Software\\Orvane\\Brumalis\\Preferences";
    EXPECT_FALSE(user.ReadValue(kKey, "CONDENSER").has_value());
    Select({"--condenser", "water", "--family", "cooling", "--cooling", "500"});
    EXPECT_EQ(user.ReadInteger(kKey, "CONDENSER", -1), 1);
    std::ostringstream out, err;
    // The next run without criteria uses the stored row.
    ASSERT_EQ(RunSelect({"--cooling", "500", "--json", "--no-store"}, out, err), 0);
    EXPECT_NE(out.str().find("\"condenser\":{"), std::string::npos);
}

TEST_F(CommandLine, BadCriteriaAndBadUsageAreReportedNotCrashed) {
    std::ostringstream out, err;
    EXPECT_THROW(RunSelect({"--cooling", "abc"}, out, err), CTCriteriaError);
    EXPECT_THROW(RunSelect({"--family", "fridge"}, out, err), CTCriteriaError);
    EXPECT_THROW(RunSelect({"--evap-brine", "whisky", "--no-store"}, out, err), CTCriteriaError);
    EXPECT_THROW(RunSelect({"--refrigerant", "R12", "--no-store"}, out, err), CTCriteriaError);
    EXPECT_THROW(RunSelect({"--colour", "red"}, out, err), CTUsageError);
    EXPECT_THROW(RunSelect({"--cooling"}, out, err), CTUsageError);
    EXPECT_THROW(RunAnalyse({"NO SUCH UNIT"}, out, err), CTCriteriaError);
    EXPECT_THROW(RunAnalyse({}, out, err), CTUsageError);
}

TEST_F(CommandLine, AnalyseShowsTheTrafficLightAndOneColumn) {
    std::ostringstream out, err;
    ASSERT_EQ(RunAnalyse({"ACW 350", "--distance", "10"}, out, err), 0);
    EXPECT_EQ(Lines(out.str()).front(), "Within capacity table and within operation range.");
    EXPECT_NE(out.str().find("Sound pressure level @ 10 m"), std::string::npos);
    std::ostringstream far;
    ASSERT_EQ(RunAnalyse({"ACW 350", "--ambient", "44", "--lwe", "-10"}, far, err), 0);
    EXPECT_EQ(Lines(far.str()).front(), "Outside capacity table, but within operation range.");
}

TEST_F(CommandLine, AChosenPricesFileAddsThePriceIndicationAndSortsByIt) {
    Cls_PriceAndPrefsFile::SetFileName("Software\\Orvane", false, BRUMALIS_EXAMPLE_PRICES);
    const std::string text = Select({"--condenser", "air", "--family", "cooling", "--cooling", "350", "--sort",
                                     "price", "--no-store"});
    const auto row = text.find("Price indication (%)");
    ASSERT_NE(row, std::string::npos) << text;
    const std::string line = text.substr(row, text.find('\n', row) - row);
    EXPECT_NE(line.find(" 100"), std::string::npos) << line;  // the current unit is the reference
    EXPECT_NE(line.find('>'), std::string::npos) << line;     // sorted by it, ascending
    Cls_PriceAndPrefsFile::UnloadFile();
}

// Random option values: every run answers or refuses cleanly.
TEST_F(CommandLine, RandomOptionValuesNeverCrash) {
    const std::vector<std::string> options = {"--cooling", "--heating", "--lwe",  "--dte",     "--lwc",
                                              "--dtc",     "--ambient", "--winter", "--heat-lwc", "--evap-percent",
                                              "--max",     "--family",  "--condenser", "--mode", "--units"};
    const std::vector<std::string> values = {"0", "-1", "1e308", "nan", "", "7,5", "+3", "abc", "999999", "air",
                                             "heatpump", "heating", "imperial", "si", "power=Ton", "-273.15"};
    std::mt19937 rng(20261209);
    for (int i = 0; i < 15; ++i) {
        std::vector<std::string> args = {"--no-store", "--json"};
        for (int k = 0; k < 4; ++k) {
            args.push_back(options[rng() % options.size()]);
            args.push_back(values[rng() % values.size()]);
        }
        std::ostringstream out, err;
        try {
            EXPECT_EQ(RunSelect(args, out, err), 0);
        } catch (const CTCriteriaError&) {
        } catch (const CTUsageError&) {
        }
    }
}

}  // namespace
}  // namespace brumalis::app
