// The preferences dialog and its price-file frame through their widgets, in
// the started desktop program (shipped catalogue, a settings file of the
// test's own), and the main window's "Preferences" with what runs after OK.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "catalogue/price_records.h"
#include "dialogs/ui/bottom_panel.h"
#include "dialogs/ui/message_presenter.h"
#include "dialogs/ui/message_windows.h"
#include "tests/platform/process_fixture.h"
#include "tests/ui_check/ui_check.h"
#include "tests/ui_support/gui_test_support.h"
#include "workflow/desktop_start.h"
#include "workflow/settings_page.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/preferences_dialog.h"
#include "workflow/ui/preferences_wiring.h"

namespace brumalis::ui {
namespace {

namespace fs = std::filesystem;
using platform::testing::CTPrivateFolder;
using platform::testing::CTScopedEnv;
using TModel = brumalis::TFrm_Preferences;

constexpr const char* kPriceKey = TProgramStart::kPriceFileKey;

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Text(const QLabel* pLabel) { return pLabel->text().toStdString(); }

// The checked radio button's caption of a group.
std::string CheckedCaption(const QGroupBox* pGroup) {
    for (const QRadioButton* pRadio : pGroup->findChildren<QRadioButton*>()) {
        if (pRadio->isChecked()) return pRadio->text().toStdString();
    }
    return {};
}

void Click(QAbstractButton* pButton) {
    ASSERT_TRUE(pButton->isEnabled()) << pButton->objectName().toStdString();
    pButton->click();
}

class PreferencesWindow : public ::testing::Test {
protected:
    void Start(bool bRussian = false) {
        language.emplace("BRUMALIS_LANGUAGE", bRussian ? std::nullopt : std::optional<std::string>("en"));
        start = std::make_unique<TDesktopStart>(platform::TParameters{}, presenter);
        AddPageSteps(*start, presenter);
        ASSERT_TRUE(start->Start().bRunLoop);
    }
    void TearDown() override {
        start.reset();
        language.reset();
    }

    TChillerUIForm& Window() { return *presenter.MainWindow(); }
    TMainSession& Session() { return start->Program().Session(); }
    TPreferencesCommand& Command() { return PreferencesCommandOf(Window(), Session()); }
    std::unique_ptr<TFrm_Preferences> Open() {
        auto pDialog = dialogs::ui::TBasicDialog::Create<TFrm_Preferences>(&Window(), false, Command().Open());
        pDialog->SetOpenFileQuestion([this](QWidget*, const std::string& szTitle, const std::string& szFilter,
                                            const std::string& szSuffix) {
            asked.push_back(szTitle + " / " + szFilter + " / " + szSuffix);
            return answer;
        });
        pDialog->show();
        return pDialog;
    }
    QPushButton* OK(const TFrm_Preferences& dialog) { return dialog.Fra_BottomPanel->OkButton(); }
    QPushButton* Cancel(const TFrm_Preferences& dialog) { return dialog.Fra_BottomPanel->CancelButton(); }
    std::string Copy(const char* szSource, const std::string& szName) {
        const fs::path target = fs::path(folder.Path()) / szName;
        fs::create_directories(target.parent_path());
        fs::copy_file(szSource, target, fs::copy_options::overwrite_existing);
        return target.string();
    }
    // The refrigerants' names, the temperature units' symbols and the
    // variant letters of the model names.
    static std::vector<std::string> CatalogueWords(TFrm_Preferences& dialog) {
        std::vector<std::string> words = {"C", "F", "S", "X", "P", "L", "R"};
        static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]+"));
        for (const TModel::TRefrigerantList list : {TModel::rlAllowed, TModel::rlNotAllowed}) {
            for (const TModel::TRefrigerantItem& item : dialog.Model().Refrigerants(list)) {
                const QString szName = QString::fromStdString(item.Name);
                for (auto it = latinWord.globalMatch(szName); it.hasNext();) {
                    words.push_back(it.next().captured().toStdString());
                }
            }
        }
        return words;
    }
    std::string StoredPriceFile() const { return Cls_PriceAndPrefsFile::GetFileName(kPriceKey, false); }

    CTPrivateFolder folder;
    const fs::path settingsFile = fs::path(folder.Path()) / "registry.ini";
    platform::CTRegistry registry{std::make_shared<platform::CTFileSettingsStore>(settingsFile.string(), false),
                                  std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute useRegistry{registry};
    std::unique_ptr<dialogs::ui::TMessageWindows> messages = dialogs::ui::InstallMessageWindows();
    std::optional<CTScopedEnv> language;
    TQtDesktopPresenter presenter;
    std::unique_ptr<TDesktopStart> start;
    std::optional<std::string> answer;
    std::vector<std::string> asked;
};

TEST_F(PreferencesWindow, BarsAndSolutionsAreStoredOnOKAndARefusalKeepsTheDialogOpen) {
    registry.CurrentUser().CreateKey(kPreferencesKey);
    registry.CurrentUser().WriteInteger(kPreferencesKey, "MAXSOLUTION", 25);
    Start();
    auto dialog = Open();
    // A stored number outside the list shows its nearest item.
    EXPECT_EQ(dialog->Cbx_MaxSolution->currentText().toStdString(), "10");
    EXPECT_EQ(Text(dialog->Bars[TModel::dbNegCooling].LimitLabel), "-25%");
    EXPECT_EQ(Text(dialog->Bars[TModel::dbPosHeating].LimitLabel), "25%");
    dialog->Bars[TModel::dbPosCooling].Bar->setValue(10);
    dialog->Bars[TModel::dbPosHeating].Bar->setValue(15);
    dialog->Bars[TModel::dbNegHeating].Bar->setValue(-40);  // past the limit
    EXPECT_EQ(Text(dialog->Bars[TModel::dbPosCooling].ValueLabel), "10%");
    EXPECT_EQ(Text(dialog->Bars[TModel::dbNegHeating].ValueLabel), "-25%");

    // Every refrigerant moved away: OK shows why and keeps the dialog open
    // on the list to take one from.
    dialog->Lbx_Allowed->selectAll();
    Click(dialog->Btn_NotAllow);
    EXPECT_EQ(dialog->Lbx_Allowed->count(), 0);
    EXPECT_FALSE(dialog->Btn_NotAllow->isEnabled());
    EXPECT_FALSE(dialog->Btn_Allow->isEnabled());
    std::string shown;
    test::WhenModalShown([&shown](QWidget* pWindow) {
        for (const QLabel* pLabel : pWindow->findChildren<QLabel*>()) shown += pLabel->text().toStdString();
        pWindow->close();
    });
    OK(*dialog)->click();
    EXPECT_NE(shown.find("At least one refrigerant must be allowed."), std::string::npos) << shown;
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Nbk_Pages->currentIndex(), TFrm_Preferences::pgRefrigerants);
    EXPECT_EQ(dialog->RetCode(), 2);
    EXPECT_EQ(registry.CurrentUser().ReadValue(kPreferencesKey, "POSCOOLING"), std::nullopt);

    // A double-click brings one back; OK stores the bars as fractions.
    dialog->Lbx_NotAllowed->item(0)->setSelected(true);
    EXPECT_TRUE(dialog->Btn_Allow->isEnabled());
    Click(dialog->Btn_Allow);
    dialog->Cbx_MaxSolution->setCurrentIndex(2);
    Click(OK(*dialog));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->RetCode(), 1);
    EXPECT_EQ(registry.CurrentUser().ReadDouble(kPreferencesKey, "POSCOOLING", 0.0), 0.1);
    EXPECT_EQ(registry.CurrentUser().ReadDouble(kPreferencesKey, "POSHEATING", 0.0), 0.15);
    EXPECT_EQ(registry.CurrentUser().ReadDouble(kPreferencesKey, "NEGHEATING", 0.0), -0.25);
    EXPECT_EQ(registry.CurrentUser().ReadInteger(kPreferencesKey, "MAXSOLUTION", 0), 3);
}

TEST_F(PreferencesWindow, CancelLeavesTheSettingsFileByteIdentical) {
    Start();
    const std::string szPrices = Copy(BRUMALIS_EXAMPLE_PRICES, "prices.edi");
    TModel::WriteRegistry();
    const std::string before = ReadWhole(settingsFile);
    ASSERT_FALSE(before.empty());

    auto dialog = Open();
    dialog->findChild<QRadioButton*>(QStringLiteral("Rgp_Temperature_1"))->click();
    dialog->Bars[TModel::dbNegCooling].Bar->setValue(-5);
    dialog->Lbx_Allowed->item(0)->setSelected(true);
    Click(dialog->Btn_NotAllow);
    dialog->Chk_ApplOptions[TFrm_ChApplicationOptions::bxSoundL]->click();
    dialog->Rbt_IPLV->click();
    answer = szPrices;
    Click(dialog->Frm_PriceFile->Btn_Browse);
    EXPECT_EQ(StoredPriceFile(), szPrices);  // the frame acts at once
    Click(dialog->Btn_Defaults);
    Click(Cancel(*dialog));
    EXPECT_EQ(ReadWhole(settingsFile), before);
    EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);
}

TEST_F(PreferencesWindow, RestoreDefaultsShowsTheDefaultUnitsDeviationsAndLimit) {
    Start();
    auto dialog = Open();
    dialog->findChild<QRadioButton*>(QStringLiteral("Rgp_FluidFlow_0"))->click();
    dialog->findChild<QRadioButton*>(QStringLiteral("Rgp_PressureDrop_0"))->click();
    dialog->Bars[TModel::dbPosCooling].Bar->setValue(3);
    dialog->Cbx_MaxSolution->setCurrentIndex(8);
    dialog->Chk_OperationRange->click();
    dialog->Txt_CoverPage->setText(QStringLiteral("/tmp/cover.spt"));
    QTest::keyClick(dialog->Txt_CoverPage, Qt::Key_A);
    dialog->Rbt_IPLV->click();
    Click(dialog->Btn_Defaults);
    EXPECT_EQ(CheckedCaption(dialog->Rgp_Units[TModel::ugFluidFlow]), "l/min");
    EXPECT_EQ(CheckedCaption(dialog->Rgp_Units[TModel::ugPressureDrop]), "kPa");
    EXPECT_EQ(CheckedCaption(dialog->Rgp_Units[TModel::ugTemperature]), "°C");
    for (const TModel::TDeviationBar bar : {TModel::dbNegCooling, TModel::dbNegHeating}) {
        EXPECT_EQ(Text(dialog->Bars[bar].ValueLabel), "-20%");
        EXPECT_EQ(dialog->Bars[bar].Bar->value(), -20);
    }
    for (const TModel::TDeviationBar bar : {TModel::dbPosCooling, TModel::dbPosHeating}) {
        EXPECT_EQ(Text(dialog->Bars[bar].ValueLabel), "20%");
    }
    EXPECT_EQ(dialog->Cbx_MaxSolution->currentText().toStdString(),
              std::to_string(Session().v_Limits->GetMaxSolutions()));
    EXPECT_TRUE(dialog->Chk_OperationRange->isChecked());
    EXPECT_TRUE(dialog->Txt_CoverPage->text().isEmpty());
    EXPECT_TRUE(dialog->Rbt_ESEER->isChecked());
    for (QCheckBox* pBox : dialog->Chk_ApplOptions) EXPECT_TRUE(pBox->isChecked()) << pBox->objectName().toStdString();
    // The standard variants stay ticked and cannot be changed.
    EXPECT_FALSE(dialog->Chk_ApplOptions[TFrm_ChApplicationOptions::bxVersionS]->isEnabled());
    EXPECT_FALSE(dialog->Chk_ApplOptions[TFrm_ChApplicationOptions::bxSoundS]->isEnabled());
    EXPECT_TRUE(dialog->Chk_ApplOptions[TFrm_ChApplicationOptions::bxSoundX]->isEnabled());
    // Only the dialog changed.
    EXPECT_EQ(registry.CurrentUser().ReadValue(kPreferencesKey, "POSCOOLING"), std::nullopt);
}

TEST_F(PreferencesWindow, UnitsChosenThroughTheMainWindowReexpressPanelAndGrid) {
    Start();
    // The window's own Settings page gives the row and re-expresses itself.
    TSettingsPage& page = SharedSettingsPage(Window(), Session());
    page.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
    TPreferencesCommand& command = Command();
    // The Settings page follows first; the other pages' steps come after it.
    ASSERT_FALSE(command.AcceptedStepNames().empty());
    EXPECT_EQ(command.AcceptedStepNames().front(), "Settings page");
    EXPECT_EQ(command.Criteria().Family, famCoolingOnly);
    ASSERT_EQ(page.Panel().Box_CEvaporator().Leaving().Text(), "7.0");
    Window().PG_ChillerPages->setCurrentWidget(Window().Tab_Chillers);

    ASSERT_TRUE(Window().ACF_Preferences->isEnabled());
    test::WhenModalShown([](QWidget* pWindow) {
        auto* pDialog = dynamic_cast<TFrm_Preferences*>(pWindow);
        ASSERT_NE(pDialog, nullptr);
        EXPECT_EQ(pDialog->Nbk_Pages->currentIndex(), TFrm_Preferences::pgUnits);
        pDialog->findChild<QRadioButton*>(QStringLiteral("Rgp_Temperature_1"))->click();
        pDialog->findChild<QRadioButton*>(QStringLiteral("Rgp_FluidFlow_1"))->click();
        pDialog->Fra_BottomPanel->OkButton()->click();
    });
    Window().ACF_Preferences->trigger();
    EXPECT_EQ(page.Panel().TemperatureUnitCaption(), "°F");
    EXPECT_EQ(page.Panel().Box_CEvaporator().Leaving().Text(), "44.6");
    EXPECT_EQ(page.Panel().Box_CEvaporator().DeltaT().Text(), "9.0");
    EXPECT_EQ(Window().PG_ChillerPages->currentWidget(), Window().Tab_Settings);
    EXPECT_FALSE(page.ResultsAvailable());

    ASSERT_TRUE(page.Panel().TypeValue(TPanelEntry::CoolCapacity, "350").Shown);
    ASSERT_GE(page.MakeSelection(false), 0);
    // The grid's flow in the unit chosen with °F.
    bool bFlowPerMinute = false;
    const TFrm_ChResultGrid& grid = page.ResultGrid();
    for (int nRow = 0; nRow < grid.RowCount(); ++nRow) {
        const std::string cell = grid.CellText(0, nRow);
        if (cell.size() > 6 && cell.substr(cell.size() - 6) == " l/min") bFlowPerMinute = true;
    }
    EXPECT_TRUE(bFlowPerMinute) << [&grid] {
        std::string cells;
        for (int nRow = 0; nRow < grid.RowCount(); ++nRow) cells += grid.CellText(0, nRow) + " | ";
        return cells;
    }();

    // Cancel runs none of the steps.
    test::WhenModalShown([](QWidget* pWindow) {
        pWindow->findChild<QRadioButton*>(QStringLiteral("Rgp_Temperature_0"))->click();
        pWindow->close();
    });
    Window().PG_ChillerPages->setCurrentWidget(Window().Tab_Chillers);
    Window().ACF_Preferences->trigger();
    EXPECT_EQ(page.Panel().TemperatureUnitCaption(), "°F");
    EXPECT_EQ(Window().PG_ChillerPages->currentWidget(), Window().Tab_Chillers);
}

TEST_F(PreferencesWindow, WithoutASettingsPageTheDialogOpensWithTheStoredRow) {
    Start();
    TPreferences& values = TModel::Values();
    values.CONDENSER = ctWaterCooled;
    values.FAMILY = famHeatPump;
    // A command no page has given its row: the window's has the Settings page's.
    TPreferencesCommand command(Session());
    const TSelectionCriteria criteria = command.Criteria();
    EXPECT_EQ(criteria.Condenser, ctWaterCooled);
    EXPECT_EQ(criteria.Family, famHeatPump);
    std::vector<int> ran;
    command.AddAcceptedStep("first", [&ran] { ran.push_back(1); });
    command.AddAcceptedStep("second", [&ran] { ran.push_back(2); });
    command.Accepted();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    // The same command whoever asks.
    EXPECT_EQ(&Command(), &PreferencesCommandOf(Window(), Session()));
}

TEST_F(PreferencesWindow, PriceFileStatesButtonsAndOpenDialog) {
    Start();
    auto dialog = Open();
    TFrmPriceFileAdminView& frame = *dialog->Frm_PriceFile;
    dialog->Nbk_Pages->setCurrentIndex(TFrm_Preferences::pgOther);
    EXPECT_EQ(Text(frame.Lbl_FileName), "Choose a price file");
    EXPECT_FALSE(frame.Btn_Clear->isEnabled());
    EXPECT_FALSE(frame.Lbl_InvalidFile->isVisible());
    EXPECT_FALSE(frame.Lbl_FileNotFound->isVisible());
    EXPECT_EQ(frame.Btn_Browse->toolTip().toStdString(), "Choose a price file");
    EXPECT_EQ(frame.Btn_Clear->toolTip().toStdString(), "Don't use a price file");

    // A cancelled open dialog changes nothing; the question names the
    // shipped prices' extension first.
    Click(frame.Btn_Browse);
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0], "Choose Price File / Price files (*.edi)|*.edi|All files (*.*)|*.* / edi");
    EXPECT_EQ(StoredPriceFile(), "");

    answer = Copy(BRUMALIS_TEST_CATALOGUE, "project.edi");
    Click(frame.Btn_Browse);
    EXPECT_TRUE(frame.Lbl_InvalidFile->isVisible());
    EXPECT_FALSE(frame.Lbl_FileNotFound->isVisible());
    EXPECT_TRUE(frame.Btn_Clear->isEnabled());

    answer = Copy(BRUMALIS_EXAMPLE_PRICES, "gone.edi");
    Click(frame.Btn_Browse);
    EXPECT_FALSE(frame.Lbl_InvalidFile->isVisible());
    fs::remove(*answer);
    frame.ShowFileState();
    EXPECT_TRUE(frame.Lbl_FileNotFound->isVisible());
    EXPECT_FALSE(frame.Lbl_InvalidFile->isVisible());

    Click(frame.Btn_Clear);
    EXPECT_EQ(StoredPriceFile(), "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kPriceKey, false), 0);
    EXPECT_EQ(registry.CurrentUser().ReadString(kPriceKey, "PPFileName", "?"), "");
    EXPECT_EQ(Text(frame.Lbl_FileName), "Choose a price file");
    EXPECT_FALSE(frame.Btn_Clear->isEnabled());
    EXPECT_FALSE(frame.Lbl_FileNotFound->isVisible());

    // A long name loses whole folders, never its file name.
    answer = Copy(BRUMALIS_EXAMPLE_PRICES,
                  "customers/hotel tamaris/heating and cooling/offers/2026/second round/prices-final.edi");
    Click(frame.Btn_Browse);
    frame.resize(260, frame.height());
    const std::string shown = Text(frame.Lbl_FileName);
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - std::string("/prices-final.edi").size()), "/prices-final.edi") << shown;
    EXPECT_EQ(frame.Lbl_FileName->toolTip().toStdString(), *answer);
    EXPECT_LE(frame.Lbl_FileName->fontMetrics().horizontalAdvance(frame.Lbl_FileName->text()),
              frame.width() - frame.Lbl_FileName->x());
    frame.resize(2000, frame.height());
    EXPECT_EQ(Text(frame.Lbl_FileName), *answer);
}

TEST_F(PreferencesWindow, CancelGivesBackThePriceFileTheDialogOpenedWith) {
    Start();
    const std::string szFirst = Copy(BRUMALIS_EXAMPLE_PRICES, "first.edi");
    const std::string szSecond = Copy(BRUMALIS_EXAMPLE_PRICES, "second.edi");
    {
        auto dialog = Open();
        answer = szFirst;
        Click(dialog->Frm_PriceFile->Btn_Browse);
        Click(OK(*dialog));
    }
    const std::int32_t nFirstChecksum = Cls_PriceAndPrefsFile::GetCurrentChecksum(kPriceKey, false);
    ASSERT_NE(nFirstChecksum, 0);
    for (const bool bByDefaults : {false, true}) {
        SCOPED_TRACE(bByDefaults ? "Restore Defaults" : "Browse");
        auto dialog = Open();
        if (bByDefaults) {
            Click(dialog->Btn_Defaults);
        } else {
            answer = szSecond;
            Click(dialog->Frm_PriceFile->Btn_Browse);
        }
        EXPECT_NE(StoredPriceFile(), szFirst);
        dialog->close();  // the window's close button cancels as well
        EXPECT_EQ(StoredPriceFile(), szFirst);
        EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kPriceKey, false), nFirstChecksum);
        EXPECT_NE(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    }
    auto dialog = Open();
    answer = szSecond;
    Click(dialog->Frm_PriceFile->Btn_Browse);
    Click(OK(*dialog));
    EXPECT_EQ(StoredPriceFile(), szSecond);
    auto reopened = Open();
    EXPECT_EQ(reopened->Frm_PriceFile->Lbl_FileName->toolTip().toStdString(), szSecond);
}

// The desktop's own open dialog: only existing files, the prices first.
TEST_F(PreferencesWindow, TheOpenDialogOffersExistingPriceFilesThenAllFiles) {
    Start();
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString szTitle;
    test::WhenModalShown([&](QWidget* pWindow) {
        auto* pDialog = dynamic_cast<QFileDialog*>(pWindow);
        ASSERT_NE(pDialog, nullptr);
        filters = pDialog->nameFilters();
        mode = pDialog->fileMode();
        szTitle = pDialog->windowTitle();
        pDialog->reject();
    });
    const std::optional<std::string> chosen = AskExistingFile(&Window(), "Choose Price File",
                                                              brumalis::TFrmPriceFileAdmin::kOpenFilter, "edi");
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Price files (*.edi)"), QStringLiteral("All files (*)")}));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(szTitle.toStdString(), "Choose Price File");
}

TEST_F(PreferencesWindow, EveryPagePassesTheWindowChecksInRussianAndEnglish) {
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        Start(bRussian);
        auto dialog = Open();
        for (int nPage = 0; nPage < TFrm_Preferences::kPageCount; ++nPage) {
            SCOPED_TRACE(nPage);
            dialog->Nbk_Pages->setCurrentIndex(nPage);
            testing::ui::ExpectWindowPasses(*dialog, bRussian, CatalogueWords(*dialog));
        }
        if (bRussian) {
            EXPECT_EQ(dialog->windowTitle().toStdString(), "Параметры");
            EXPECT_EQ(Text(dialog->Frm_PriceFile->Lbl_FileName), "Выберите файл цен");
        }
        dialog.reset();
        start.reset();
    }
}

TEST(PreferencesTexts, EveryTextOfTheDialogHasItsRussianEntry) {
    const CTGlossary& glossary = testing::ui::ShippedInterfaceGlossary();
    for (const std::string& szEnglish : TFrm_Preferences::Texts()) {
        EXPECT_TRUE(glossary.Translate(szEnglish).has_value()) << szEnglish;
    }
}

}  // namespace
}  // namespace brumalis::ui
