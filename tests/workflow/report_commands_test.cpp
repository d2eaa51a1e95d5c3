// The basket and analysis reports on the shipped catalogue, read through a
// recording document: headings, tables, figures and page breaks in order,
// the notes a unit may claim, and the Reporting Section rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "catalogue/unit_classes.h"
#include "documents/print_params.h"
#include "platform/settings_store.h"
#include "tests/documents/recording_doc_output.h"
#include "tests/workflow/shipped_workflow_fixture.h"
#include "workflow/report_commands.h"
#include "workflow/settings_page.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;

class CTCountingProgress : public CTProgressSink {
public:
    void Start(const std::string&, const std::string&, int nSteps) override { steps = nSteps; }
    void Step() override { ++done; }
    void Close() override { closed = true; }
    int steps = -1, done = 0;
    bool closed = false;
};

class Reports : public ShippedWorkflow {
protected:
    void SetUp() override {
        ShippedWorkflow::SetUp();
        session = &Started();
        box.ShowESEER = true;
        folder = fs::temp_directory_path() / ("reports-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        basket.Replace({});
        fs::remove_all(folder);
        ShippedWorkflow::TearDown();
    }
    Cls_ChOutdoorUnit* Computed(const std::string& szName, std::int32_t nSeqNr, double dReqCool, double dReqHeat) {
        return ShippedWorkflow::Computed(*session, szName, nSeqNr, dReqCool, dReqHeat);
    }
    // A solution of the named units at consecutive sequence numbers.
    void AddSolution(const std::vector<std::string>& names, double dReqCool, double dReqHeat = 0.0) {
        const std::int32_t nSeqNr = session->NextBasketSeqNr(static_cast<std::int32_t>(names.size()));
        std::vector<Cls_ChOutdoorUnit*> units;
        for (std::size_t k = 0; k < names.size(); ++k) {
            units.push_back(Computed(names[k], nSeqNr + static_cast<std::int32_t>(k), dReqCool, dReqHeat));
        }
        basket.Add(std::make_unique<TSolution>(nSeqNr, dReqHeat, dReqCool, units));
    }
    TReportOutcome Report() { return TReportCommands::WriteBasketReport(doc, *session, basket, box, &progress); }
    static bool Has(const std::vector<std::string>& calls, const std::string& szCall) {
        return std::find(calls.begin(), calls.end(), szCall) != calls.end();
    }
    std::string Write(const std::string& szName, const std::string& text) {
        std::ofstream(folder / szName, std::ios::binary) << text;
        return (folder / szName).string();
    }

    TMainSession* session = nullptr;
    TSolutionBasket basket;
    TBoxReporting box;
    CTRecordingDocOutput doc;
    CTCountingProgress progress;
    fs::path folder;
};

TEST_F(Reports, TheReportingSectionFollowsThePreferencesAndTheFilesThatExist) {
    TPreferences prefs;
    prefs.OPRANGE = false;
    prefs.PRESSUREDROP = true;
    prefs.DIMENSIONAL = false;
    prefs.COVERPAGE = (folder / "cover.xml").string();
    prefs.SPECTEXTS = (folder / "texts").string();
    box.ApplyPreferences(prefs);
    EXPECT_FALSE(box.Chk_OperationRange.Checked);
    EXPECT_TRUE(box.Chk_PressureDrop.Checked);
    EXPECT_FALSE(box.Chk_Dimensional.Checked);
    EXPECT_FALSE(box.Chk_CoverPage.Enabled);
    EXPECT_FALSE(box.Chk_CoverPage.Checked);
    EXPECT_FALSE(box.Chk_SpecTexts.Enabled);
    Write("cover.xml", "<c/>");
    fs::create_directories(folder / "texts");
    box.ApplyPreferences(prefs);
    EXPECT_TRUE(box.Chk_CoverPage.Enabled && box.Chk_CoverPage.Checked);
    EXPECT_TRUE(box.Chk_SpecTexts.Enabled && box.Chk_SpecTexts.Checked);
    // A folder is no cover page, a file no folder of texts.
    prefs.COVERPAGE = folder.string();
    prefs.SPECTEXTS = (folder / "cover.xml").string();
    prefs.ESEER = false;
    box.ApplyPreferences(prefs);
    EXPECT_FALSE(box.Chk_SpecTexts.Checked);
    EXPECT_FALSE(box.ShowESEER);
    prefs.COVERPAGE.clear();
    box.ApplyPreferences(prefs);
    EXPECT_FALSE(box.Chk_CoverPage.Enabled);
}

TEST_F(Reports, OneChillerWithoutBoxesHasItsSectionsAndNoExtraPages) {
    AddSolution({"ACQ 100"}, 100.0);
    const TReportOutcome outcome = Report();
    ASSERT_TRUE(outcome.Ok);
    const auto& calls = doc.Calls();
    ASSERT_GE(calls.size(), 2U);
    EXPECT_EQ(calls[0], "H1 #Selected chiller solution");
    EXPECT_EQ(calls[1], "H2 #Selection data");
    EXPECT_TRUE(doc.CallsStarting("TITLE").empty());
    EXPECT_EQ(doc.Count("PAGE"), 1) << "only the page of the seasonal and sound tables";
    EXPECT_TRUE(doc.CallsStarting("PICTURE 0.7").empty());
    const TGridData* pModel = doc.TableStartingWith("Full Model Reference");
    ASSERT_NE(pModel, nullptr);
    EXPECT_EQ(pModel->Cell(1, 1).text, "ACQ 100");
    EXPECT_EQ(pModel->Cell(0, 1).text, "ACQ 100 " + pModel->Cell(2, 1).text);
    const TGridData* pCap = doc.TableStartingWith("Cooling");
    ASSERT_NE(pCap, nullptr);
    EXPECT_EQ(pCap->Cell(0, 1).text, "Required total capacity");
    // A certified unit, seasonal figures as ESEER with their notes.
    EXPECT_TRUE(Has(calls, "TEXT - Equipment is Eurovent Certified and conforms to the following standard: Eurovent 6/C/2006"));
    EXPECT_NE(doc.TableStartingWith("Partload (Cooling)"), nullptr);
    EXPECT_TRUE(Has(calls, "TEXT ESEER = 0.03 x EER@100% + 0.33 x EER@75% + 0.41 x EER@50% + 0.23 x EER@25%"));
    EXPECT_FALSE(doc.AnyTextHas("IPLV"));
    EXPECT_EQ(progress.steps, 1);
    EXPECT_EQ(progress.done, 1);
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(outcome.Units, 1);
    EXPECT_TRUE(outcome.Skipped.empty());

    CTRecordingDocOutput iplv;
    box.ShowESEER = false;
    TReportCommands::WriteBasketReport(iplv, *session, basket, box);
    EXPECT_TRUE(iplv.AnyTextHas("Orvane IPLV is based on the ARI temperature conditions and ARI part load weighting "
                                "calculation. Partload performances are calculated in relation to the units balancing "
                                "diagrams. Power input os for the total unit."));
    EXPECT_TRUE(iplv.AnyTextHas("Orvane IPLV = 0.01 x  EER@100%"));
}

TEST_F(Reports, APlantOfTwoShowsNoRequirementsPerUnitAndAPlantSummary) {
    AddSolution({"ACQ 100", "ACQ 100"}, 200.0);
    ASSERT_TRUE(Report().Ok);
    const auto& calls = doc.Calls();
    EXPECT_EQ(calls[0], "H1 #Selected plant solution");
    EXPECT_EQ(doc.Count("H2 #Selection data"), 2);
    const int nSummary = doc.Find("H2 #Plant summary");
    ASSERT_GT(nSummary, doc.Find("H2 #Selection data", 1));
    const TGridData* pFirst = doc.TableStartingWith("Cooling");
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->Cell(0, 1).text, "Capacity");
    // The summary's capacity table carries the plant's requirement.
    int nCapacityTables = 0;
    for (const TGridData& table : doc.Tables()) {
        if (table.Cell(0, 0).text != "Cooling") continue;
        ++nCapacityTables;
        if (nCapacityTables == 3) {
            EXPECT_EQ(table.Cell(0, 1).text, "Required total capacity");
        }
    }
    EXPECT_EQ(nCapacityTables, 3);

    // Two solutions: the overview first.
    AddSolution({"ACQ 100"}, 100.0);
    CTRecordingDocOutput two;
    TReportCommands::WriteBasketReport(two, *session, basket, box);
    EXPECT_EQ(two.Calls()[0], "TITLE Solution Overview");
    ASSERT_FALSE(two.Tables().empty());
    EXPECT_EQ(two.Tables()[0].ColCount(), 3);
    EXPECT_EQ(two.Tables()[0].FixedCols(), 1);
}

TEST_F(Reports, FiguresPerFamilyAndTheHeatRecoveryFamilyGetsOnlyThePageBreak) {
    box.Chk_OperationRange.Checked = true;
    AddSolution({"ARZ 320"}, 300.0);
    ASSERT_TRUE(Report().Ok);
    EXPECT_EQ(doc.Count("PAGE"), 2);
    EXPECT_FALSE(doc.AnyTextHas("Operation Range"));
    EXPECT_TRUE(doc.CallsStarting("PICTURE 0.7").empty());
    EXPECT_NE(doc.TableStartingWith("Heat recovery"), nullptr);

    basket.Replace({});
    CTRecordingDocOutput hp;
    box.Chk_PressureDrop.Checked = true;
    box.Chk_Dimensional.Checked = true;
    AddSolution({"AHS 100"}, 100.0);
    const TReportOutcome outcome = TReportCommands::WriteBasketReport(hp, *session, basket, box);
    const int nCooling = hp.Find("H2 #Operation Range in Cooling");
    const int nHeating = hp.Find("H2 #Operation Range in Heating");
    const int nDrop = hp.Find("H2 #Fluid pressure drop");
    ASSERT_GE(nCooling, 0);
    EXPECT_GT(nHeating, nCooling);
    EXPECT_GT(nDrop, nHeating);
    EXPECT_GT(hp.Find("H2 #Dimensional drawing"), nDrop);
    EXPECT_EQ(hp.CallsStarting("PICTURE 0.7 560x420").size(), 3U);
    EXPECT_EQ(outcome.Figures, 3);
    EXPECT_TRUE(hp.AnyTextHas("(c) and (h) stand for cooling and heating data respectively."));
}

TEST_F(Reports, OnlyCertifiedUnitsClaimTheCertificate) {
    AddSolution({"AHT 090"}, 90.0);
    ASSERT_TRUE(Report().Ok);
    EXPECT_FALSE(doc.AnyTextHas("Eurovent Certified"));
    EXPECT_TRUE(doc.AnyTextHas("- Power input equals the total unit power input"));
}

// The first unit of the session with combinations of all these option types.
Cls_ChOutdoorUnit* UnitWithOptions(TMainSession& s, std::int32_t nSeqNr, const std::set<std::int32_t>& types) {
    for (Cls_ChOutdoorUnit* pUnit : s.v_PrefChillers) {
        std::set<std::int32_t> found;
        for (const auto& pComb : pUnit->GetOptCombs(nSeqNr)) {
            if (const Cls_ChOption* pOption = OptionOf(*pComb, s.v_Options)) found.insert(pOption->GetType());
        }
        if (std::includes(found.begin(), found.end(), types.begin(), types.end())) return pUnit;
    }
    return nullptr;
}

TEST_F(Reports, SelectedOptionsAreSortedAndBringTheirNotes) {
    const std::int32_t nSeqNr = session->NextBasketSeqNr();
    Cls_ChOutdoorUnit* pUnit = UnitWithOptions(*session, nSeqNr, {4, 6});
    if (!pUnit) GTEST_SKIP() << "no unit offers a pump and heat recovery";
    Computed(DisplayName(*pUnit), nSeqNr, 0.0, 0.0);
    for (const auto& pComb : pUnit->GetOptCombs(nSeqNr)) {
        const Cls_ChOption* pOption = OptionOf(*pComb, session->v_Options);
        if (pOption && (pOption->GetType() == 4 || pOption->GetType() == 6 || pOption->GetType() == 9)) pComb->Selected = true;
    }
    basket.Add(std::make_unique<TSolution>(nSeqNr, 0.0, 0.0, std::vector<Cls_ChOutdoorUnit*>{pUnit}));
    ASSERT_TRUE(Report().Ok);
    const TGridData* pSelected = doc.TableStartingWith("Selected options");
    ASSERT_NE(pSelected, nullptr);
    std::vector<std::string> names = ColumnTexts(*pSelected, 0);
    names.erase(names.begin());
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](std::string a, std::string b) {
        for (auto* s : {&a, &b}) std::transform(s->begin(), s->end(), s->begin(), ::tolower);
        return a < b;
    });
    EXPECT_EQ(names, sorted);
    const std::string szNote =
        "TEXT In some cases a pump option cannot be combined with total heat recovery (WQRK) due to the available space "
        "within the chassis. In the case of this combination please contact the factory to verify this configuration.";
    const int nNote = doc.Find(szNote);
    ASSERT_GE(nNote, 2);
    EXPECT_EQ(doc.Calls()[static_cast<std::size_t>(nNote - 1)], "LN");
    EXPECT_EQ(doc.Calls()[static_cast<std::size_t>(nNote + 1)], "LN");
    const bool bCuNi = UnitWithOptions(*session, nSeqNr, {9}) == pUnit;
    EXPECT_EQ(doc.AnyTextHas("This Cu-Ni option will cause de-rating"), bCuNi);
}

TEST_F(Reports, SpecificationTextsAndACoverPageOrWhyTheyWereLeftOut) {
    fs::create_directories(folder / "texts");
    box.Chk_SpecTexts.Checked = true;
    box.SpecTextsFolder = (folder / "texts").string();
    box.Chk_CoverPage.Checked = true;
    box.CoverPageFile = Write("cover.xml", "<c><h1>Project Nord</h1></c>");
    Write("texts/acq 100.spt", "<s><p>Casing of galvanised steel</p></s>");
    Write("texts/ACQ 160.spt", "<s><p>cut");
    AddSolution({"ACQ 100", "ACQ 160"}, 0.0);
    const TReportOutcome outcome = Report();
    ASSERT_TRUE(outcome.Ok);
    EXPECT_EQ(doc.Calls()[0], "H1 Project Nord");
    EXPECT_EQ(doc.Calls()[2], "PAGE");
    const int nTexts = doc.Find("H1 #Specification texts");
    ASSERT_GT(nTexts, doc.Find("H2 #Plant summary"));
    EXPECT_GT(doc.Find("TEXT Casing of galvanised steel"), nTexts);
    EXPECT_EQ(outcome.SpecTexts, 1);
    ASSERT_EQ(outcome.Skipped.size(), 1U);
    EXPECT_EQ(fs::path(outcome.Skipped[0].Item).filename(), "ACQ 160.spt");
    EXPECT_NE(outcome.Skipped[0].Reason.find("offset"), std::string::npos);

    // A cover page that vanished is reported, the report still written.
    fs::remove(box.CoverPageFile);
    CTRecordingDocOutput again;
    const TReportOutcome second = TReportCommands::WriteBasketReport(again, *session, basket, box);
    EXPECT_TRUE(second.Ok);
    ASSERT_EQ(second.Skipped.size(), 2U);
    EXPECT_EQ(second.Skipped[0].Item, box.CoverPageFile);
    EXPECT_EQ(again.Calls()[0], "H1 #Selected plant solution");
}

TEST_F(Reports, PicturesAreDecodedOncePerReport) {
    AddSolution({"ACQ 100"}, 100.0);
    AddSolution({"ACQ 100"}, 100.0);
    box.Chk_Dimensional.Checked = true;
    const TReportOutcome outcome = Report();
    const auto pictures = doc.CallsStarting("PICTURE 1.0");
    EXPECT_EQ(pictures.size(), 4U) << "photograph and drawing of both";
    EXPECT_EQ(outcome.Pictures, 2) << "one photograph and one drawing decoded";
}

TEST_F(Reports, AnUnreadableLogoIsNamed) {
    const std::string szLogo = (folder / "logo.bmp").string();
    Write("logo.bmp", "BM not really");
    ASSERT_TRUE(platform::Registry().CurrentUser().WriteString(TDlgPrintParams::kKey, "DisLogo", szLogo));
    AddSolution({"ACQ 100"}, 100.0);
    const TReportOutcome outcome = Report();
    ASSERT_TRUE(outcome.Ok);
    ASSERT_EQ(outcome.Skipped.size(), 1U);
    EXPECT_EQ(outcome.Skipped[0].Item, szLogo);
    EXPECT_NE(outcome.Skipped[0].Reason.find("logo"), std::string::npos);
}

TEST_F(Reports, TheRtfHasA4AndEachReportsMargins) {
    AddSolution({"ACQ 100"}, 100.0);
    CTMemoryStream bytes;
    ASSERT_TRUE(TReportCommands::Bib_MSWordClick(bytes, *session, basket, box).Ok);
    const std::string& rtf = bytes.Data();
    EXPECT_NE(rtf.find("\\paperw11906\\paperh16838"), std::string::npos);
    EXPECT_NE(rtf.find("\\margl1134\\margr850\\margt850\\margb850"), std::string::npos);
    EXPECT_EQ(rtf.find("2147483647"), std::string::npos);

    std::string szError;
    const std::string szOld = Write("old.rtf", "old report");
    EXPECT_FALSE(TReportCommands::SaveReport((folder / "old.rtf" / "new.rtf").string(), rtf, szError));
    EXPECT_FALSE(szError.empty());
    EXPECT_FALSE(TReportCommands::SaveReport((folder / "missing" / "new.rtf").string(), rtf, szError));
    EXPECT_TRUE(TReportCommands::SaveReport(szOld, rtf, szError)) << szError;
    std::ifstream in(szOld, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), rtf);
}

class AnalysisReport : public Reports {
protected:
    TAnalysisPage& Analysis(const std::string& szUnit) {
        analysis.reset();  // it leaves the Settings model's listeners as it goes
        settings = std::make_unique<TSettingsPage>(*session);
        analysis = std::make_unique<TAnalysisPage>(*session, *settings);
        analysis->SetupWindow();
        analysis->ChooseUnit(Unit(*session, szUnit));
        analysis->StartOnUserDefined();
        TSelTempData t;
        t.CoolLeavingE = 7.0, t.CoolDeltaTE = 5.0, t.CoolLeavingC = 35.0, t.CoolDeltaTC = 5.0, t.Summer = 35.0;
        t.HeatLeavingC = 45.0, t.HeatDeltaTC = 5.0, t.HeatLeavingE = 45.0, t.HeatDeltaTE = 5.0, t.Winter = 7.0;
        analysis->LoadTemperatures(t);
        return *analysis;
    }
    std::vector<std::string> Status(TAnalysisPage& page) {
        CTRecordingDocOutput out;
        EXPECT_TRUE(TReportCommands::WriteAnalysisReport(out, page).Ok);
        last = out.Tables();
        return out.Calls();
    }
    std::unique_ptr<TSettingsPage> settings;
    std::unique_ptr<TAnalysisPage> analysis;
    std::vector<TGridData> last;
};

TEST_F(AnalysisReport, TheStatusFollowsTheLightAndOnlyACertifiedUnitClaimsTheCertificate) {
    TAnalysisPage& an = Analysis("ACW 350");
    const auto type = [&an](TPanelEntry entry, const char* szText) { an.Panel().TypeValue(entry, szText); };
    type(TPanelEntry::CoolLeavingE, "7");
    type(TPanelEntry::Ambient, "35");
    ASSERT_EQ(an.Light(), 0);
    std::vector<std::string> calls = Status(an);
    ASSERT_GE(calls.size(), 4U);
    EXPECT_EQ(calls[0], "H1 #Analysis Results");
    EXPECT_EQ(calls[1], "TEXT The following data are analysis data and are not the result of a selection.");
    EXPECT_EQ(calls[3], "H3 #Selected Settings for Analysis");
    EXPECT_TRUE(Has(calls, "H3 #Analyzed Chiller"));
    const std::string szGreen = an.Unit()->GetEurovent()
                                    ? "TEXT The selection criteria are within the capacity table. Equipment is Eurovent "
                                      "Certified and conforms to the following standard: Eurovent 6/C/2006."
                                    : "TEXT Within capacity table and within operation range.";
    EXPECT_EQ(calls[calls.size() - 2], szGreen);
    // The settings table takes the result table's widths.
    ASSERT_EQ(last.size(), 2U);
    EXPECT_EQ(last[0].ColWidth(0), last[1].ColWidth(0));
    EXPECT_EQ(last[0].ColWidth(1), last[1].ColWidth(1));
    EXPECT_EQ(last[0].Cell(0, 0).text, "Cooling Capacity");
    EXPECT_EQ(last[0].Cell(0, 0).object, static_cast<std::int64_t>(TChReporting::kBold));
    EXPECT_EQ(last[0].Cell(1, 1).object, static_cast<std::int64_t>(TChReporting::kRight));
    EXPECT_EQ(last[1].FixedRows(), 1);

    type(TPanelEntry::CoolLeavingE, "-10");
    type(TPanelEntry::Ambient, "44");
    ASSERT_EQ(an.Light(), 1);
    calls = Status(an);
    EXPECT_EQ(calls[calls.size() - 2], "TEXT The selection criteria are outside the capacity table, but within the "
                                       "operation range. Results are purely for indication purposes.");
    type(TPanelEntry::Ambient, "50");
    ASSERT_EQ(an.Light(), 2);
    calls = Status(an);
    EXPECT_EQ(calls[calls.size() - 2], "TEXT The selection criteria outside the operation range.");

    TAnalysisPage& uncertified = Analysis("AHT 090");
    ASSERT_FALSE(uncertified.Unit()->GetEurovent());
    ASSERT_EQ(uncertified.Light(), 0);
    calls = Status(uncertified);
    EXPECT_EQ(calls[calls.size() - 2], "TEXT Within capacity table and within operation range.");
    CTMemoryStream bytes;
    TAnalysisPage idle(*session, *settings);
    EXPECT_FALSE(TReportCommands::Bib_AnMSWordClick(bytes, idle).Ok);
    EXPECT_TRUE(bytes.Data().empty());
    EXPECT_TRUE(TReportCommands::Bib_AnMSWordClick(bytes, uncertified).Ok);
    EXPECT_NE(bytes.Data().find("\\margl1134\\margr1134"), std::string::npos);
}

}  // namespace
}  // namespace brumalis::testing
