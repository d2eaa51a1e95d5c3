// The main window's project and report commands and its kept state, on the
// shipped catalogue with a scripted file dialog, questions answered from a
// script and a fake viewer.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "catalogue/project_records.h"
#include "dialogs/ui/busy_window.h"
#include "objectstore/database_set.h"
#include "tests/workflow/basket_fixture.h"
#include "tests/workflow/shipped_workflow_fixture.h"
#include "workflow/analysis_page.h"
#include "workflow/settings_page.h"
#include "workflow/solution.h"
#include "workflow/ui/box_reporting.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/project_actions.h"
#include "workflow/ui/report_runner.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;
using ui::TChillerUIForm;
using ui::TProjectActions;
using ui::TQtReportRunner;
using ui::TBoxReportingView;

constexpr const char* kQuestion = "Chiller project data have been adapted. Save them first?";

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WindowCommands : public ShippedWorkflow {
protected:
    void SetUp() override {
        ShippedWorkflow::SetUp();
        session = &Started();
        folder = fs::temp_directory_path() / ("commands-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        window = NewWindow();
    }
    void TearDown() override {
        window.reset();
        session->Basket().Replace({});
        ::chmod(folder.c_str(), 0755);
        fs::remove_all(folder);
        ShippedWorkflow::TearDown();
    }
    std::unique_ptr<TChillerUIForm> NewWindow() {
        auto pWindow = std::make_unique<TChillerUIForm>(model, [](std::string_view) { return true; });
        actions = new TProjectActions(*pWindow, start->Factory(), *session, Dialog());
        return pWindow;
    }
    // Answers the next scripted name; none left: cancelled.
    TFileDialogFunc Dialog() {
        return [this](const TFileDialogRequest& request, std::string& szName) {
            requests.push_back(request);
            if (answers.empty()) return false;
            szName = answers.front();
            answers.erase(answers.begin());
            return true;
        };
    }
    // A one-unit cooling solution, as the Results page adds it.
    void AddSolution(const std::string& szUnit, double dReqCool) {
        const std::int32_t nSeqNr = session->NextBasketSeqNr();
        Cls_ChOutdoorUnit* pUnit = Computed(*session, szUnit, nSeqNr, dReqCool, 0.0);
        ASSERT_NE(pUnit, nullptr);
        session->Basket().Add(std::make_unique<TSolution>(nSeqNr, 0.0, dReqCool, std::vector{pUnit}));
    }
    std::string File(const std::string& szName) const { return (folder / szName).string(); }
    void Shown() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    TMainSession* session = nullptr;
    TMainWindowModel model{"Brumalis"};
    std::unique_ptr<TChillerUIForm> window;
    TProjectActions* actions = nullptr;
    CTScriptedDialog dialog;
    std::vector<TFileDialogRequest> requests;
    std::vector<std::string> answers;
    fs::path folder;
};

TEST_F(WindowCommands, FirstSaveAppendsTheExtensionAndTheSecondDoesNotAsk) {
    Shown();
    EXPECT_FALSE(window->ACF_Save->isEnabled());
    EXPECT_EQ(window->menuBar()->actions().front()->menu(), window->MM_File);
    AddSolution("ACQ 100", 100.0);
    EXPECT_TRUE(window->ACF_Save->isEnabled());
    answers = {File("job")};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_TRUE(requests[0].Save);
    EXPECT_EQ(requests[0].Title, "Save project");
    EXPECT_EQ(requests[0].DefaultExt, "cpf");
    EXPECT_EQ(requests[0].Filter, "Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*");
    EXPECT_TRUE(fs::is_regular_file(File("job.cpf")));
    EXPECT_EQ(session->v_ProjectFileName, File("job.cpf"));
    EXPECT_FALSE(session->v_ProjectModified);

    AddSolution("ARZ 320", 300.0);
    EXPECT_TRUE(session->v_ProjectModified);
    window->ACF_Save->trigger();
    EXPECT_EQ(requests.size(), 1U) << "the known file is written without a dialog";
    EXPECT_FALSE(session->v_ProjectModified);

    // Save As always asks; cancelled, the known file stays the project's.
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(requests.size(), 2U);
    EXPECT_EQ(session->v_ProjectFileName, File("job.cpf"));
    answers = {File("copy.cpf")};
    window->ACF_SaveAs->trigger();
    EXPECT_EQ(session->v_ProjectFileName, File("copy.cpf"));
    EXPECT_TRUE(fs::is_regular_file(File("copy.cpf")));
    EXPECT_TRUE(dialog.asked.empty());
}

TEST_F(WindowCommands, OpenWithChangesAsksOnceAndADamagedFileLeavesTheBasket) {
    Shown();
    AddSolution("ACQ 100", 100.0);
    std::ofstream(File("damaged.cpf"), std::ios::binary) << "QXZ\x01 not a project";
    answers = {File("damaged.cpf")};
    dialog.answer = TDialogAnswer::No;
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialog.asked.size(), 1U);
    EXPECT_EQ(dialog.asked[0], kQuestion);
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_FALSE(requests[0].Save);
    EXPECT_EQ(requests[0].Title, "Open project");
    EXPECT_EQ(session->Basket().Count(), 1);
    EXPECT_EQ(dialog.shown.size(), 1U) << "the damaged file's message";
    EXPECT_TRUE(session->v_ProjectModified) << "the changes stay protected";
    EXPECT_TRUE(window->isVisible());

    dialog.answer = TDialogAnswer::Cancel;
    window->ACF_Open->trigger();
    EXPECT_EQ(requests.size(), 1U) << "Cancel shows no dialog";
}

TEST_F(WindowCommands, AProjectParameterShowsItsBasketAndAnOldOneItsMessage) {
    AddSolution("ACQ 100", 100.0);
    AddSolution("ARZ 320", 300.0);
    answers = {File("start.cpf")};
    ASSERT_TRUE(actions->Commands().Save());
    session->Basket().Replace({});
    session->v_ProjectFileName.clear();
    actions->OpenParameter({File("start.cpf")});
    EXPECT_EQ(session->Basket().Count(), 2);
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Basket);
    EXPECT_TRUE(window->ACF_Save->isEnabled());
    EXPECT_TRUE(dialog.shown.empty());

    auto pRecord = RecordAs<Cls_ChProject>(CTDbObject::GetUniqueRecord(Cls_ChProject::kClassID, true));
    ASSERT_NE(pRecord, nullptr);
    pRecord->SetDBVersion("0.9");
    pRecord->Update();
    start->Factory().SetDatabaseName(dbChillerProject, File("old.cpf"));
    ASSERT_TRUE(start->Factory().SaveFile(dbChillerProject, false));
    actions->OpenParameter({File("old.cpf")});
    ASSERT_EQ(dialog.shown.size(), 1U);
    EXPECT_NE(dialog.shown[0].find("Reason: old version database."), std::string::npos) << dialog.shown[0];
    EXPECT_EQ(session->Basket().Count(), 2);

    actions->OpenParameter({File("missing.cpf")});
    EXPECT_EQ(dialog.shown.size(), 1U) << "a parameter that names no file is no project";
}

TEST_F(WindowCommands, ExitAndCloseAskAfterAnAddAndFollowTheAnswer) {
    Shown();
    EXPECT_TRUE(window->close()) << "nothing to save: no question";
    EXPECT_TRUE(dialog.asked.empty());
    Shown();
    AddSolution("ACQ 100", 100.0);

    dialog.answer = TDialogAnswer::Cancel;
    EXPECT_FALSE(window->close());
    window->ACF_Exit->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialog.asked.size(), 2U);

    dialog.answer = TDialogAnswer::Yes;  // the save dialog cancelled
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    answers = {File("kept")};
    window->ACF_Exit->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fs::is_regular_file(File("kept.cpf")));
    EXPECT_FALSE(session->v_ProjectModified);

    Shown();
    AddSolution("ARZ 320", 300.0);
    dialog.answer = TDialogAnswer::No;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialog.asked.size(), 5U);
}

class WindowReports : public WindowCommands {
protected:
    TQtReportRunner Runner() {
        return TQtReportRunner(*window, Dialog(), [this](const std::string& szFile) {
            viewed.push_back(szFile);
            return true;
        });
    }
    std::vector<std::string> viewed;
    TBoxReporting box;
};

TEST_F(WindowReports, BothButtonsAreOffWithNothingToReportAndACancelWritesNothing) {
    TBoxReportingView view(box, session->Basket());
    view.SetReportHandler([] {});
    view.SetDistributorHandler([] {});
    EXPECT_FALSE(view.Bib_MSWord->isEnabled());
    EXPECT_FALSE(view.Btn_Distributor->isEnabled());
    AddSolution("ACQ 100", 100.0);
    view.ShowModel();
    EXPECT_TRUE(view.Bib_MSWord->isEnabled());
    EXPECT_TRUE(view.Btn_Distributor->isEnabled());
    view.SetDistributorHandler({});
    EXPECT_FALSE(view.Btn_Distributor->isEnabled()) << "without the print parameters dialog";

    box.Chk_Dimensional = {false, false};
    view.ShowModel();
    EXPECT_FALSE(view.Chk_Dimensional->isEnabled());
    view.Chk_PressureDrop->setChecked(true);
    EXPECT_TRUE(box.Chk_PressureDrop.Checked) << "a tick reaches the model";

    TQtReportRunner runner = Runner();
    EXPECT_FALSE(runner.Basket(*session, session->Basket(), box));
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].Title, "Save report");
    EXPECT_EQ(requests[0].DefaultExt, "rtf");
    EXPECT_EQ(requests[0].Filter, "Report files (*.rtf)|*.rtf|All files (*.*)|*.*");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(viewed.empty());
}

TEST_F(WindowReports, AThreeSolutionReportIsWrittenCountedAndViewedOnce) {
    AddSolution("ACQ 100", 100.0);
    AddSolution("ARZ 320", 300.0);
    AddSolution("ACQ 100", 90.0);
    TQtReportRunner runner = Runner();
    answers = {File("basket")};
    ASSERT_TRUE(runner.Basket(*session, session->Basket(), box));
    ASSERT_EQ(viewed, std::vector<std::string>{File("basket.rtf")});
    EXPECT_EQ(Bytes(File("basket.rtf")).rfind("{\\rtf", 0), 0U);
    EXPECT_EQ(runner.Busy().Progress().Total(), 3);
    EXPECT_EQ(runner.Busy().Progress().ActionNr(), 3);
    EXPECT_FALSE(runner.Busy().isVisible());
    EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(WindowReports, AnAnalysisReportWaitsForAnAnalysisAndIsViewedOnce) {
    TSettingsPage settings(*session);
    TAnalysisPage analysis(*session, settings);
    analysis.SetupWindow();
    TQtReportRunner runner = Runner();
    answers = {File("analysis")};
    EXPECT_FALSE(runner.Analysis(analysis));
    EXPECT_TRUE(requests.empty()) << "nothing analysed: no dialog";

    analysis.ChooseUnit(Unit(*session, "ACW 350"));
    ASSERT_TRUE(analysis.StartOnUserDefined());
    ASSERT_TRUE(runner.Analysis(analysis));
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].Filter, "Analysis report files (*.rtf)|*.rtf|All files (*.*)|*.*");
    ASSERT_EQ(viewed, std::vector<std::string>{File("analysis.rtf")});
    const std::string rtf = Bytes(File("analysis.rtf"));
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0U);
    EXPECT_NE(rtf.find("ACW 350"), std::string::npos);
    EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(WindowReports, AMissingCoverPageGivesOneWarning) {
    AddSolution("ACQ 100", 100.0);
    box.Chk_CoverPage = {true, true};
    box.CoverPageFile = File("gone.xml");
    box.Chk_SpecTexts = {true, true};
    box.SpecTextsFolder = File("no-texts");
    TQtReportRunner runner = Runner();
    answers = {File("cover.rtf")};
    ASSERT_TRUE(runner.Basket(*session, session->Basket(), box));
    ASSERT_EQ(dialog.warned.size(), 1U);
    EXPECT_NE(dialog.shown[0].find("gone.xml"), std::string::npos) << dialog.shown[0];
    EXPECT_EQ(viewed.size(), 1U);
}

TEST_F(WindowReports, AFailedWriteShowsMinusThreeAndKeepsTheOldFile) {
    AddSolution("ACQ 100", 100.0);
    TQtReportRunner runner = Runner();
    // A folder in the report's place can be replaced by no user, the superuser included.
    fs::create_directories(folder / "taken.rtf");
    std::ofstream(folder / "taken.rtf" / "inside.txt") << "old";
    answers = {File("taken.rtf")};
    EXPECT_FALSE(runner.Basket(*session, session->Basket(), box));
    ASSERT_EQ(dialog.numbers.size(), 1U);
    EXPECT_NE(dialog.shown[0].find("Unable to create file " + File("taken.rtf")), std::string::npos) << dialog.shown[0];
    EXPECT_GT(dialog.shown[0].size(), std::string("Unable to create file " + File("taken.rtf") + "\n").size())
        << "the reason follows";
    EXPECT_EQ(Bytes(folder / "taken.rtf" / "inside.txt"), "old");
    EXPECT_TRUE(viewed.empty());
    if (::geteuid() != 0) {
        std::ofstream(File("old.rtf")) << "old report";
        ::chmod(folder.c_str(), 0555);
        answers = {File("old.rtf")};
        EXPECT_FALSE(runner.Basket(*session, session->Basket(), box));
        ::chmod(folder.c_str(), 0755);
        EXPECT_EQ(Bytes(File("old.rtf")), "old report");
    }
    // The program goes on: the next report is written.
    answers = {File("next.rtf")};
    EXPECT_TRUE(runner.Basket(*session, session->Basket(), box));
}

TEST_F(WindowCommands, ASplitterAndATabIndexHoldInANewWindow) {
    const auto fill = [](TChillerUIForm& form) {
        auto* pSplitter = new QSplitter;
        pSplitter->setObjectName(QStringLiteral("Spl_Test"));
        pSplitter->addWidget(new QWidget);
        pSplitter->addWidget(new QWidget);
        auto* pTabs = new QTabWidget;
        pTabs->setObjectName(QStringLiteral("PG_TestTabs"));
        for (const char* szTab : {"a", "b", "c"}) pTabs->addTab(new QWidget, QString::fromLatin1(szTab));
        pSplitter->addWidget(pTabs);
        form.SetPageContent(TChillerPage::Chillers, pSplitter);
        return std::pair{pSplitter, pTabs};
    };
    auto [pSplitter, pTabs] = fill(*window);
    Shown();
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Chillers);
    pSplitter->setSizes({100, 250, 300});
    const QList<int> sizes = pSplitter->sizes();
    pTabs->setCurrentIndex(2);
    ASSERT_TRUE(window->close());

    window = NewWindow();
    auto [pNewSplitter, pNewTabs] = fill(*window);
    Shown();
    EXPECT_EQ(window->PG_ChillerPages->currentIndex(), 0) << "the page shown is not kept";
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Chillers);
    EXPECT_EQ(pNewTabs->currentIndex(), 2);
    EXPECT_EQ(pNewSplitter->sizes(), sizes);
}

}  // namespace
}  // namespace brumalis::testing
