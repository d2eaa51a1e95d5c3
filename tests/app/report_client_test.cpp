// The reports as an engineer gets them: a project of several selections and
// a plant, a selection and an analysis reported by the command line, in
// English and Russian, opened by LibreOffice and checked as their reader
// sees them. With CI set a missing program fails the test; elsewhere it is
// skipped. BRUMALIS_KEEP_CLIENT_OUTPUT=1 keeps the folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "tools/check-report/report_check.h"
#include "workflow/project_file.h"
#include "workflow/selection_list.h"
#include "workflow/start_up.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;

bool HaveProgram(const char* szName) {
    return std::system((std::string("command -v ") + szName + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

class ReportClient : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveProgram("soffice") || !HaveProgram("pdftotext") || !HaveProgram("pdftoppm")) {
            if (std::getenv("CI")) FAIL() << "soffice, pdftotext and pdftoppm are needed";
            GTEST_SKIP() << "LibreOffice or poppler-utils not installed";
        }
        dir = fs::temp_directory_path() / ("brumalis-report-client-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "config");
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("BRUMALIS_LANGUAGE");
        if (!dir.empty() && !std::getenv("BRUMALIS_KEEP_CLIENT_OUTPUT")) fs::remove_all(dir);
    }
    int Brumalis(const std::string& szArgs, const std::string& szLog) {
        return std::system((Quoted(BRUMALIS_PROGRAM) + " " + szArgs + " >>" + Quoted((dir / szLog).string()) + " 2>&1").c_str());
    }
    void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    // A plant of two units added to the project in-process, as the plant page would.
    void AddPlant(const std::string& szProject) {
        TProgramStart start;
        ASSERT_TRUE(start.Run().Ok);
        TProjectFile project(start.Factory(), start.Session());
        ASSERT_TRUE(project.OpenFile(szProject));
        TMainSession& session = start.Session();
        TSolutionBasket& basket = session.Basket();
        Cls_ChOutdoorUnit* pUnit = nullptr;
        for (Cls_ChOutdoorUnit* p : session.v_PrefChillers) {
            if (DisplayName(*p) == "ACQ 160") pUnit = p;
        }
        ASSERT_NE(pUnit, nullptr);
        const std::int32_t nSeqNr = session.NextPlantSeqNr(2);
        TSelTempData t;
        t.CoolLeavingE = 7.0;
        t.CoolDeltaTE = 5.0;
        t.Summer = 35.0;
        for (int k = 0; k < 2; ++k) {
            pUnit->IsCandidateChiller(nSeqNr + k, false, t, session.v_Controllers, nullptr, 0.0, TSoundArray{1.0, 5.0, 10.0},
                                      nullptr, nullptr, nullptr, nullptr, 320.0, 0.0, kUnboundedCapacity, 0.0, 0.0,
                                      kUnboundedCapacity);
        }
        basket.Add(std::make_unique<TSolution>(nSeqNr, 0.0, 320.0, std::vector<Cls_ChOutdoorUnit*>{pUnit, pUnit}));
        ASSERT_TRUE(project.SaveAs(szProject));
        basket.Replace({});
    }

    fs::path dir;
};

struct TLanguage {
    const char* szCode;
    const char* szOverview;
    const char* szHeaderLine;
    const char* szPage1;
    const char* szCover;
};

TEST_F(ReportClient, ProjectSelectionAndAnalysisReportsReadInEnglishAndRussian) {
    for (const TLanguage& lang : {TLanguage{"en", "Solution Overview", "Produced on", "Page 1", "Project Nord, building B"},
                                  TLanguage{"ru", "Обзор решения", "Сформировано", "Страница 1", "Проект Норд, корпус Б"}}) {
        SCOPED_TRACE(lang.szCode);
        const fs::path out = dir / lang.szCode;
        fs::create_directories(out / "texts");
        if (std::string(lang.szCode) == "en") {
            setenv("BRUMALIS_LANGUAGE", "en", 1);
        } else {
            unsetenv("BRUMALIS_LANGUAGE");
        }
        Write(out / "cover.xml", std::string("<cover><h1>") + lang.szCover + "</h1><p>Consulting engineers</p></cover>");
        Write(out / "texts" / "ACQ 100.spt",
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?><spec><h2>Casing</h2><p>Galvanised steel \xe8 "
              "\xea\xf0\xe0\xf1\xea\xe0</p><li>RAL 7035</li></spec>");
        const std::string project = (out / "project.cpf").string();
        ASSERT_EQ(Brumalis("project new " + Quoted(project), "cli.log"), 0);
        for (const char* szSelection : {"--condenser air --family cooling --cooling 100 --pick \"ACQ 100\"",
                                        "--condenser air --family heatpump --mode heating --heating 100",
                                        "--condenser water --family cooling --cooling 300",
                                        "--condenser air --family recovery --cooling 300"}) {
            ASSERT_EQ(Brumalis("basket add " + Quoted(project) + " " + szSelection + " --no-store", "cli.log"), 0)
                << szSelection;
        }
        AddPlant(project);
        const std::string every = " --cover " + Quoted((out / "cover.xml").string()) + " --spec-texts " +
                                  Quoted((out / "texts").string()) + " --operation-range --pressure-drop --dimensional";
        ASSERT_EQ(Brumalis("report project " + Quoted(project) + every + " -o " + Quoted((out / "project.rtf").string()),
                           "report.log"), 0);
        ASSERT_EQ(Brumalis("report select --condenser air --family heatpump --cooling 100 --take 2 --no-store "
                           "--operation-range -o " + Quoted((out / "select.rtf").string()), "report.log"), 0);
        ASSERT_EQ(Brumalis("report analyse \"ACW 350\" --lwe 7 --ambient 35 -o " + Quoted((out / "analyse.rtf").string()),
                           "report.log"), 0);

        const std::vector<std::string> files = {(out / "project.rtf").string(), (out / "select.rtf").string(),
                                                (out / "analyse.rtf").string()};
        for (const std::string& failure : tools::ConvertReports(files, out.string())) ADD_FAILURE() << failure;
        const std::vector<std::string> header = {lang.szHeaderLine, lang.szPage1};
        auto expect = [&](const std::string& szFile, std::vector<std::string> texts) {
            texts.insert(texts.end(), header.begin(), header.end());
            for (const std::string& failure : tools::CheckReport(szFile, out.string(), texts)) ADD_FAILURE() << szFile << ": " << failure;
        };
        expect(files[0], {lang.szOverview, lang.szPage1 == std::string("Page 1") ? "Page 9" : "Страница 9", lang.szCover, "ACQ 100", "AHT 090", "WCT 300", "ARZ 320", "ACQ 160", "1.1.", "6.",
                          "Casing", "Galvanised steel и краска", "- RAL 7035"});
        expect(files[1], {lang.szOverview, "AHS 100", "2.1."});
        expect(files[2], {"ACW 350", "1.1."});
    }
}

}  // namespace
}  // namespace brumalis::testing
