#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cctype>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/cli_chiller.h"
#include "app/cli_print_params.h"
#include "app/cli_project.h"
#include "app/cli_report.h"
#include "app/cli_usage.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/price_records.h"
#include "catalogue/records.h"
#include "platform/settings_store.h"
#include "tests/workflow/shipped_workflow_fixture.h"

namespace brumalis::app {
namespace {

// Every command runs on the embedded catalogue with a private settings store.
class CommandLine : public testing::ShippedWorkflow {
protected:
    std::string Select(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        EXPECT_EQ(RunSelect(args, out, err), 0);
        notes = err.str();
        return out.str();
    }

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

// The JSON object of the result with this model and application.
std::string ResultObject(const std::string& json, const std::string& model, const std::string& application) {
    const std::string key = "{\"model\":\"" + model + "\",\"application\":\"" + application + "\"";
    const auto pos = json.find(key);
    if (pos == std::string::npos) return std::string();
    return json.substr(pos, json.find("\"eurovent\"", pos) - pos);
}

TEST_F(CommandLine, AnalyseOfASuffixedVariantEqualsItsColumnInASelection) {
    const std::string selection = Select({"--condenser", "air", "--family", "cooling", "--cooling", "33", "--lwe",
                                          "6", "--ambient", "32", "--versions", "S", "--sounds", "L", "--max", "10",
                                          "--json", "--no-store"});
    const std::string column = ResultObject(selection, "ACS 033", "-SL");
    ASSERT_FALSE(column.empty()) << selection;
    std::ostringstream out, err;
    ASSERT_EQ(RunAnalyse({"ACS 033 -SL", "--lwe", "6", "--ambient", "32", "--json"}, out, err), 0);
    const std::string analysed = ResultObject(out.str(), "ACS 033", "-SL");
    ASSERT_FALSE(analysed.empty()) << out.str();
    for (const char* key : {"capacity_kw", "power_input_kw", "eer", "flow_l_s", "pressure_drop_kpa", "eseer"}) {
        const std::vector<double> expected = Values(column, key), actual = Values(analysed, key);
        ASSERT_FALSE(expected.empty()) << key;
        ASSERT_EQ(actual.size(), expected.size()) << key;
        for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9 * expected[i]) << key;
    }
    EXPECT_NE(analysed.find("\"option_code\":\"0S00-SL\""), std::string::npos) << analysed;
    // The bare name is the standard variant; names are compared without blanks or case.
    std::ostringstream standard, squeezed;
    ASSERT_EQ(RunAnalyse({"ACS 033", "--json"}, standard, err), 0);
    EXPECT_NE(standard.str().find("\"application\":\"STD\""), std::string::npos);
    ASSERT_EQ(RunAnalyse({"acs033-sl", "--json"}, squeezed, err), 0);
    EXPECT_NE(squeezed.str().find("\"application\":\"-SL\""), std::string::npos);
}

TEST_F(CommandLine, AnUnknownModelListsTheCloseMatches) {
    std::ostringstream out, err;
    try {
        RunAnalyse({"ACS 03"}, out, err);
        FAIL() << "accepted";
    } catch (const CTCriteriaError& e) {
        EXPECT_NE(std::string(e.what()).find("ACS 033"), std::string::npos) << e.what();
    }
}

TEST_F(CommandLine, AnalyseChoosesAComboItemByName) {
    std::ostringstream first, named, err;
    ASSERT_EQ(RunAnalyse({"ACW 350", "--pump"}, first, err), 0);
    ASSERT_EQ(RunAnalyse({"ACW 350", "--pump", "P2"}, named, err), 0);
    const auto esp = [](const std::string& text) { return text.substr(text.find("Available pump pressure:")); };
    EXPECT_NE(esp(first.str()), esp(named.str()));
    std::ostringstream described;
    ASSERT_EQ(RunAnalyse({"ACW 350", "--pump", "p2 - high-head circulation pump"}, described, err), 0);
    EXPECT_EQ(esp(described.str()), esp(named.str()));
    try {
        RunAnalyse({"ACW 350", "--pump", "P9"}, described, err);
        FAIL() << "accepted";
    } catch (const CTCriteriaError& e) {
        EXPECT_NE(std::string(e.what()).find("P1 - Low-head circulation pump"), std::string::npos) << e.what();
    }
}

TEST_F(CommandLine, BadNumbersAreRefusedWithTheirReason) {
    std::ostringstream out, err;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--condenser", "air", "--family", "cooling", "--cooling", "-350", "--no-store"},
          std::vector<std::string>{"--condenser", "water", "--family", "heating", "--heating", "-1", "--no-store"}}) {
        try {
            RunSelect(args, out, err);
            ADD_FAILURE() << "a negative capacity was accepted";
        } catch (const CTCriteriaError& e) {
            EXPECT_NE(std::string(e.what()).find("cannot be negative"), std::string::npos) << e.what();
        }
    }
    try {
        RunSelect({"--cooling", "350", "--max", "11", "--no-store"}, out, err);
        ADD_FAILURE() << "--max 11 was accepted";
    } catch (const CTCriteriaError& e) {
        EXPECT_NE(std::string(e.what()).find("at most 10"), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(Select({"--cooling", "350", "--max", "10", "--no-store"}));
}

TEST_F(CommandLine, EachLimitClampsAtItsBound) {
    struct TCase {
        std::vector<std::string> args;
        const char* note;  // empty: no note expected
    };
    const std::vector<std::string> water = {"--condenser", "water", "--family", "cooling", "--cooling", "500"};
    const std::vector<std::string> heatPump = {"--condenser", "air", "--family", "heatpump", "--cooling", "100"};
    const auto with = [](std::vector<std::string> base, std::initializer_list<std::string> more) {
        base.insert(base.end(), more);
        base.push_back("--no-store");
        return base;
    };
    const TCase cases[] = {
        {with(water, {"--lwe", "29"}), ""},
        {with(water, {"--lwe", "30.5"}), "--lwe 30.5 is outside the range and was taken as 29.0"},
        {with(water, {"--lwe", "-12"}), ""},
        {with(water, {"--lwe", "-13"}), "--lwe -13 is outside the range and was taken as -12.0"},
        {with(water, {"--lwc", "55"}), ""},
        {with(water, {"--lwc", "57.5"}), "--lwc 57.5 is outside the range and was taken as 55.0"},
        {with(heatPump, {"--winter", "-10"}), ""},
        {with(heatPump, {"--winter", "-12.3"}), "--winter -12.3 is outside the range and was taken as -10.0"},
    };
    for (const TCase& c : cases) {
        Select(c.args);
        if (*c.note) {
            EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
        } else {
            EXPECT_EQ(notes.find("outside the range"), std::string::npos) << notes;
        }
    }
}

TEST_F(CommandLine, APercentageAloneAppliesToTheBrineInForce) {
    const std::string json = Select({"--condenser", "air", "--family", "cooling", "--cooling", "350", "--lwe", "2",
                                     "--evap-percent", "25", "--json", "--no-store"});
    const auto pos = json.find("\"evaporator\":{");
    ASSERT_NE(pos, std::string::npos) << json;
    const std::string evaporator = json.substr(pos, json.find('}', pos) - pos);
    // No brine stored yet: the first brine of the catalogue's list.
    EXPECT_NE(evaporator.find("\"brine\":\"Ethylene glycol\""), std::string::npos) << evaporator;
    EXPECT_NE(evaporator.find("\"brine_percent\":25"), std::string::npos) << evaporator;
    // A condenser brine for an air-cooled row does not apply.
    Select({"--condenser", "air", "--family", "cooling", "--cooling", "350", "--cond-percent", "10", "--no-store"});
    EXPECT_NE(notes.find("--cond-percent does not apply"), std::string::npos) << notes;
}

// What a user types stays as typed in a message: options ("--cooling"),
// quoted values ('steam') and the command line's own keywords.
std::string WithoutTypedWords(const std::string& text) {
    static const std::set<std::string> kKeywords = {"brumalis", "list",    "select",     "help",
                                                    "air",      "water",   "condenserless", "cooling",
                                                    "heatpump", "recovery", "heating",  "condensing",
                                                    "si",       "imperial", "logo", "no",
                                                    "yes",      "project", "new",  "show", "save", "basket",
                                                    "add",      "remove",  "move", "left", "right", "plant",
                                                    "report",   "analyse"};
    std::string out, word;
    bool bQuoted = false, bOption = false;
    const auto flush = [&] {
        if (!bOption && !kKeywords.count(word)) out += word;
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') bQuoted = !bQuoted;
        if (bQuoted) continue;
        if (std::isalpha(static_cast<unsigned char>(c)) || (c == '-' && !word.empty())) {
            word += c;
            continue;
        }
        flush();
        bOption = c == '-' && i + 1 < text.size() && text[i + 1] == '-';
        if (bOption) {
            ++i;
            continue;
        }
        out += c;
    }
    flush();
    return out;
}

// The Russian program prints no English: every word in Latin letters is a
// name from the catalogue or one of the abbreviations the trade writes so.
class RussianCommandLine : public CommandLine {
protected:
    void SetUp() override {
        CommandLine::SetUp();
        unsetenv("BRUMALIS_LANGUAGE");
    }
    void ExpectNoEnglish(const std::string& text, const std::string& what) {
        static const std::set<std::string> kAllowed = {"EER", "COP", "ESEER", "IPLV", "STD", "Eurovent", "JPEG", "Brumalis"};
        std::string word;
        std::set<std::string> english;
        const auto flush = [&] {
            if (word.size() > 1 && !kAllowed.count(word) && !CatalogueName(word)) english.insert(word);
            word.clear();
        };
        for (const char c : text) {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
                word += c;
            } else {
                flush();
            }
        }
        flush();
        std::string list;
        for (const std::string& w : english) list += w + " ";
        EXPECT_TRUE(english.empty()) << what << ": " << list;
    }
    // Model and variant names ("ACS", "SL", "XS"), refrigerants ("R410A" is
    // read as "R" and "A", "R1234ze(E)" as "R", "ze" and "E") and brine names.
    static bool CatalogueName(const std::string& word) {
        static const std::set<std::string> kNames = {"Ethylene", "Propylene", "glycol", "ze", "yf"};
        const bool bCode = word.size() <= 3 && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        return bCode || kNames.count(word) != 0;
    }
};

TEST_F(RussianCommandLine, ListSelectAndAnalysePrintNoEnglish) {
    std::ostringstream list;
    ASSERT_EQ(RunList({}, list), 0);
    ExpectNoEnglish(list.str(), "list");
    for (const char* condenser : {"air", "water", "condenserless"}) {
        for (const char* family : {"cooling", "heatpump", "recovery", "heating", "condensing"}) {
            std::ostringstream out, json, err;
            const std::vector<std::string> args = {"--condenser", condenser, "--family", family, "--cooling", "100",
                                                   "--heating", "100", "--no-store", "--max", "3"};
            try {
                RunSelect(args, out, err);
            } catch (const CTCriteriaError&) {
                continue;  // the catalogue has no such row
            }
            const std::string what = std::string(condenser) + " " + family;
            ExpectNoEnglish(out.str(), "select " + what);
            std::vector<std::string> jsonArgs = args;
            jsonArgs.push_back("--json");
            RunSelect(jsonArgs, json, err);
            const auto pos = json.str().find("\"model\":\"");
            if (pos == std::string::npos) continue;
            const std::string model = json.str().substr(pos + 9, json.str().find('"', pos + 9) - pos - 9);
            std::ostringstream analysed;
            try {
                RunAnalyse({model, "--pump", "--low-noise"}, analysed, err);
            } catch (const CTCriteriaError&) {  // a unit without those options
                analysed.str("");
                ASSERT_EQ(RunAnalyse({model}, analysed, err), 0) << model;
            }
            ExpectNoEnglish(analysed.str(), "analyse " + model);
            ExpectNoEnglish(WithoutTypedWords(err.str()), "standard error of " + what);
        }
    }
}

TEST_F(RussianCommandLine, ErrorsAndNotesOnStandardErrorAreRussian) {
    const auto failure = [](const std::function<void()>& run) {
        try {
            run();
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    std::ostringstream out, err;
    const std::vector<std::string> messages = {
        failure([&] { RunSelect({"--bogus"}, out, err); }),
        failure([&] { RunSelect({"--cooling"}, out, err); }),
        failure([&] { RunSelect({"surplus"}, out, err); }),
        failure([&] { RunSelect({"--cooling", "lots"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "steam"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "boiling"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--cooling", "-5", "--no-store"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--max", "11", "--no-store"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--sort", "colour"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--versions", "Q"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--evap-brine", "Brandy"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--units", "speed=furlong"}, out, err); }),
        failure([&] { RunSelect({"--condenser", "air", "--family", "cooling", "--mode", "idle"}, out, err); }),
        failure([&] { RunAnalyse({"ACZ 999"}, out, err); }),
        failure([&] { RunAnalyse({"Nothing like it"}, out, err); }),
        failure([&] { RunAnalyse({"ACS 033 -SL", "--distance", "30"}, out, err); }),
    };
    for (const std::string& message : messages) {
        EXPECT_NE(message, "no error");
        ExpectNoEnglish(WithoutTypedWords(message), message);
    }
    EXPECT_NE(messages[4].find("'steam'"), std::string::npos) << "the typed value stays as typed: " << messages[4];
    // Notes of a selection that went through.
    std::ostringstream notes;
    RunSelect({"--condenser", "air", "--family", "cooling", "--cooling", "350", "--lwe", "40", "--cond-percent", "10",
               "--no-store"},
              out, notes);
    ASSERT_FALSE(notes.str().empty());
    ExpectNoEnglish(WithoutTypedWords(notes.str()), notes.str());
    // The print parameters as shown, their values in one column.
    std::ostringstream params;
    ASSERT_EQ(RunPrintParams({}, params), 0);
    ExpectNoEnglish(params.str(), params.str());
    EXPECT_NE(params.str().find("Строка 1: \n"), std::string::npos) << params.str();
    EXPECT_NE(params.str().find("Логотип:  (нет)\n"), std::string::npos) << params.str();
}

// The project, basket, options, plant, report, chiller and print-parameter
// commands' error paths: the message and what went to standard error.
TEST_F(RussianCommandLine, ErrorsOfTheProjectReportAndChillerCommandsAreRussian) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("brumalis-cli-ru-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string project = (dir / "p.cpf").string();
    const std::string missing = (dir / "missing.cpf").string();
    std::ofstream(dir / "text.bmp") << "not a picture";
    std::ofstream(dir / "logo.jpg", std::ios::binary) << std::string("\xFF\xD8\xFF\xE0", 4) << "junk";
    using TCommand = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const std::vector<std::string> criteria = {"--condenser", "air", "--family", "cooling", "--cooling", "350", "--no-store"};
    const auto with = [&criteria](std::vector<std::string> args) {
        args.insert(args.end(), criteria.begin(), criteria.end());
        return args;
    };
    // The test's own file names, as typed, out of a message.
    const auto withoutPaths = [&dir](std::string text) {
        for (auto pos = text.find(dir.string()); pos != std::string::npos; pos = text.find(dir.string(), pos)) {
            text.erase(pos, text.find_first_of(" ':,()\n", pos) - pos);
        }
        return text;
    };
    // Each run fails; its message and standard error are checked.
    const auto expectRussianFailure = [&](TCommand command, const std::vector<std::string>& args) {
        std::ostringstream out, err;
        std::string message = "no error";
        try {
            command(args, out, err);
        } catch (const std::exception& e) {
            message = e.what();
        }
        std::string what;
        for (const std::string& arg : args) what += arg + " ";
        EXPECT_NE(message, "no error") << what;
        ExpectNoEnglish(WithoutTypedWords(withoutPaths(message)), what + ": " + message);
        ExpectNoEnglish(WithoutTypedWords(withoutPaths(err.str())), what + "(standard error): " + err.str());
    };
    const auto printParams = [](const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
        return RunPrintParams(args, out);
    };
    std::ostringstream ignored;
    ASSERT_EQ(RunProject({"new", project}, ignored, ignored), 0);
    expectRussianFailure(RunProject, {"new", project});
    expectRussianFailure(RunProject, {"show", missing});
    expectRussianFailure(RunProject, {"show", dir.string()});
    expectRussianFailure(RunProject, {"save", project});
    expectRussianFailure(RunProject, {"drop", project});
    expectRussianFailure(RunBasket, {});
    expectRussianFailure(RunBasket, {"shuffle", project});
    expectRussianFailure(RunBasket, {"move", project, "1", "up"});
    expectRussianFailure(RunBasket, {"remove", project, "1"});
    expectRussianFailure(RunBasket, {"remove", missing, "1"});
    expectRussianFailure(RunBasket, with({"add", project, "--pick", "99"}));
    expectRussianFailure(RunBasket, with({"add", project, "--tick", "XYZ"}));
    expectRussianFailure(RunOptions, with({"--pick", "ACZ 999"}));
    expectRussianFailure(RunOptions, with({"--kit", "XYZ"}));
    expectRussianFailure(RunOptions, with({"--hr-leaving", "45"}));
    expectRussianFailure(RunOptions, with({"--tick", "P1", "--answer", "maybe"}));
    expectRussianFailure(RunOptions, with({"--tick", "LN1", "--tick", "LN2"}));
    expectRussianFailure(RunPlant, with({}));
    expectRussianFailure(RunPlant, with({"--unit", "1", "--tick", "5:TK"}));
    expectRussianFailure(RunReport, {});
    expectRussianFailure(RunReport, {"draft"});
    expectRussianFailure(RunReport, with({"select"}));
    expectRussianFailure(RunReport, with({"select", "--take", "0", "-o", "-"}));
    expectRussianFailure(RunReport, with({"select", "--eseer", "--iplv", "-o", "-"}));
    expectRussianFailure(RunReport, with({"select", "--take", "1", "-o", missing + "/r.rtf"}));
    expectRussianFailure(RunReport, {"project", missing, "-o", "-"});
    expectRussianFailure(RunReport, {"project", project, "-o", "-"});
    expectRussianFailure(RunChiller, {"--family", "cooling"});
    expectRussianFailure(RunChiller, {"--series", "ACB"});
    expectRussianFailure(RunChiller, {"--condenser", "air", "--family", "cooling", "--series", "Nothing"});
    expectRussianFailure(RunChiller, {"ACB 350", "--low-noise", "Nothing"});
    expectRussianFailure(RunChiller, {"ACB 350", "--distance", "30"});
    expectRussianFailure(RunChiller, {"ACB 350", "--pictures", missing});
    expectRussianFailure(printParams, {"--logo", missing});
    expectRussianFailure(printParams, {"--logo", (dir / "text.bmp").string()});
    expectRussianFailure(printParams, {"--logo", (dir / "logo.jpg").string()});
    // A report that goes through says on standard error what it left out.
    std::ostringstream rtf, notes;
    ASSERT_EQ(RunReport(with({"select", "--take", "1", "--cover", (dir / "nowhere.rtf").string(), "-o", "-"}), rtf, notes), 0);
    EXPECT_NE(notes.str().find("nowhere.rtf"), std::string::npos) << notes.str();
    ExpectNoEnglish(WithoutTypedWords(withoutPaths(notes.str())), notes.str());
    fs::remove_all(dir);
}


// Columns on a terminal: UTF-8 continuation bytes take none.
std::size_t TerminalColumns(const std::string& line) {
    return static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TEST_F(CommandLine, TheHelpShowsEveryCommandWithinSeventyNineColumns) {
    const std::string help = UsageText();
    for (const std::string& line : Lines(help)) EXPECT_LE(TerminalColumns(line), 79u) << line;
    for (const char* command : {"\n  list ", "\n  select ", "\n  analyse ", "\n  print-params ", "\n  project new ",
                                "\n  project show ", "\n  project save ", "\n  basket add ", "\n  basket remove ",
                                "basket move ", "\n  options ", "\n  plant ", "\n  chiller [", "\n  chiller MODEL",
                                "\n  report select ", "report project ", "report analyse "}) {
        EXPECT_NE(help.find(command), std::string::npos) << command;
    }
    EXPECT_NE(help.find("heat pumps: what is required"), std::string::npos) << "the explanations in English";
}

TEST_F(RussianCommandLine, TheHelpExplainsEverythingInRussianWithinSeventyNineColumns) {
    for (const std::string& term : UsageTerms()) {
        const std::string translated = CliText(term);
        EXPECT_NE(translated, term) << "no translation";
        // Flags (--[no-]dimensional), settings (NAME=en) and placeholders
        // (MODEL, FILE) stay as they are typed.
        std::string words;
        std::istringstream in(translated);
        for (std::string word; in >> word;) {
            const bool bPlaceholder = std::none_of(word.begin(), word.end(), [](char c) { return std::islower(static_cast<unsigned char>(c)); });
            if (!bPlaceholder && word[0] != '-' && word.find('=') == std::string::npos) words += word + " ";
        }
        ExpectNoEnglish(WithoutTypedWords(words), term);
    }
    for (const std::string& line : Lines(UsageText())) EXPECT_LE(TerminalColumns(line), 79u) << line;
}

}  // namespace
}  // namespace brumalis::app
