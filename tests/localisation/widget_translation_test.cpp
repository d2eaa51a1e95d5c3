#include "localisation/ui/widget_translation.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

#include "localisation/lang_support.h"

namespace brumalis {
namespace {

constexpr std::uint8_t kRussian = 204;

QString Q(const char* sz) { return QString::fromUtf8(sz); }

class WidgetTranslation : public ::testing::Test {
protected:
    void SetUp() override {
        glossary.SetDefaultCharset(kRussian);
        for (const auto& [term, translation] : std::vector<std::pair<std::string, std::string>>{
                 {"Options", "Опции"},
                 {"Open", "Открыть"},
                 {"Opens a project", "Открывает проект"},
                 {"Water", "Вода"},
                 {"Brine", "Рассол"},
                 {"Glycol", "Гликоль"},
                 {"Cooling", "Охлаждение"},
                 {"Heating", "Нагрев"},
                 {"Mode", "Режим"},
                 {"Model", "Модель"},
                 {"Capacity", "Мощность"},
                 {"Remarks", "Примечания"},
                 {"Settings", "Настройки"},
                 {"Results", "Результаты"},
                 {"Exit", "Выход"},
                 {"Project", "Проект"},
                 {"Open project", "Открыть проект"},
                 {"Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*",
                  "Файлы проектов (*.cpf)|*.cpf|Все файлы (*.*)|*.*"},
                 // Two translations: ambiguous, so left alone.
                 {"Flow", "Расход"},
                 {"Flow", "Поток"}}) {
            const auto bytes = CTCharsetSupport::FromUtf8(translation, kRussian);
            ASSERT_TRUE(bytes) << translation;
            glossary.AddTermAndTranslation(term, *bytes, kRussian, false, false);
        }
    }

    CTGlossary glossary;
};

TEST_F(WidgetTranslation, EveryWidgetKindIsTranslatedExactlyAndKeepsItsSelection) {
    QDialog form;
    form.setWindowTitle(Q("Options"));
    auto* pLabel = new QLabel(Q("Water"), &form);
    auto* pLoose = new QLabel(Q("water"), &form);  // exact terms only: letter case counts
    auto* pButton = new QPushButton(Q("Open"), &form);
    ui::SetHint(*pButton, "Opens a project");
    auto* pFlow = new QCheckBox(Q("Flow"), &form);
    auto* pGroup = new QGroupBox(Q("Brine"), &form);
    auto* pTabs = new QTabWidget(&form);
    auto* pSettings = new QWidget;
    pTabs->addTab(pSettings, Q("Settings"));
    pTabs->addTab(new QWidget, Q("Results"));
    ui::SetHint(*pSettings, "Opens a project");
    auto* pToolBar = new QToolBar(&form);
    auto* pExit = new QAction(Q("Exit"), &form);
    ui::SetHint(*pExit, "Opens a project");
    pToolBar->addAction(pExit);
    auto* pMenu = new QMenu(Q("Project"), &form);

    auto* pCombo = new QComboBox(&form);
    pCombo->addItems({Q("Water"), Q("Flow"), Q("Glycol")});
    pCombo->setCurrentIndex(2);
    auto* pList = new QListWidget(&form);
    pList->addItems({Q("Cooling"), Q("Heating")});
    pList->setCurrentRow(1);
    auto* pRadios = new QGroupBox(Q("Mode"), &form);
    ui::MarkAsRadioGroup(*pRadios);
    auto* pCool = new QRadioButton(Q("Cooling"), pRadios);
    auto* pHeat = new QRadioButton(Q("Heating"), pRadios);
    pHeat->setChecked(true);
    auto* pTree = new QTreeWidget(&form);
    pTree->setHeaderLabels({Q("Model"), Q("Capacity")});
    auto* pTable = new QTableWidget(1, 2, &form);
    pTable->setHorizontalHeaderLabels({Q("Capacity"), Q("Flow")});
    auto* pMemo = new QPlainTextEdit(Q("Remarks\nWater\nno term here"), &form);
    auto* pFiles = new QFileDialog(&form, Q("Open project"));
    ui::SetFileDialogFilter(*pFiles, "Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*");
    EXPECT_EQ(pFiles->nameFilters(), (QStringList{Q("Chiller project files (*.cpf)"), Q("All files (*)")}));

    ui::TranslateWidgets(glossary, form);

    EXPECT_EQ(form.windowTitle(), Q("Опции"));
    EXPECT_EQ(pLabel->text(), Q("Вода"));
    EXPECT_EQ(pLoose->text(), Q("water"));
    EXPECT_EQ(pButton->text(), Q("Открыть"));
    EXPECT_EQ(pButton->toolTip(), Q("Открывает проект"));
    EXPECT_EQ(pButton->statusTip(), Q("Открывает проект"));
    EXPECT_EQ(pFlow->text(), Q("Flow"));
    EXPECT_EQ(pGroup->title(), Q("Рассол"));
    EXPECT_EQ(pTabs->tabText(0), Q("Настройки"));
    EXPECT_EQ(pTabs->tabText(1), Q("Результаты"));
    EXPECT_EQ(pTabs->tabToolTip(0), Q("Открывает проект"));
    EXPECT_EQ(pExit->text(), Q("Выход"));
    EXPECT_EQ(pExit->statusTip(), Q("Открывает проект"));
    EXPECT_EQ(pMenu->title(), Q("Проект"));

    EXPECT_EQ(pCombo->itemText(0), Q("Вода"));
    EXPECT_EQ(pCombo->itemText(1), Q("Flow"));
    EXPECT_EQ(pCombo->itemText(2), Q("Гликоль"));
    EXPECT_EQ(pCombo->currentIndex(), 2);
    EXPECT_EQ(pList->item(0)->text(), Q("Охлаждение"));
    EXPECT_EQ(pList->currentRow(), 1);
    EXPECT_EQ(pRadios->title(), Q("Режим"));
    EXPECT_EQ(pCool->text(), Q("Охлаждение"));
    EXPECT_EQ(pHeat->text(), Q("Нагрев"));
    EXPECT_TRUE(pHeat->isChecked());
    EXPECT_EQ(pTree->headerItem()->text(0), Q("Модель"));
    EXPECT_EQ(pTree->headerItem()->text(1), Q("Мощность"));
    EXPECT_EQ(pTable->horizontalHeaderItem(0)->text(), Q("Мощность"));
    EXPECT_EQ(pTable->horizontalHeaderItem(1)->text(), Q("Flow"));
    EXPECT_EQ(pMemo->toPlainText(), Q("Примечания\nВода\nno term here"));
    EXPECT_EQ(pFiles->windowTitle(), Q("Открыть проект"));
    EXPECT_EQ(pFiles->nameFilters(), (QStringList{Q("Файлы проектов (*.cpf)"), Q("Все файлы (*)")}));

    // Translating twice changes nothing more: the Russian texts are no terms.
    ui::TranslateWidgets(glossary, form);
    EXPECT_EQ(pLabel->text(), Q("Вода"));
    EXPECT_EQ(pCombo->currentIndex(), 2);
}

TEST_F(WidgetTranslation, TheComponentTreeShowsKindsAndSkipsTheToolkitsOwnParts) {
    QDialog form;
    auto* pRadios = new QGroupBox(Q("Mode"), &form);
    ui::MarkAsRadioGroup(*pRadios);
    new QRadioButton(Q("Cooling"), pRadios);
    auto* pCombo = new QComboBox(&form);
    pCombo->addItem(Q("Water"));
    new QFileDialog(&form);
    const auto pTree = ui::TranslatableTree(form);
    EXPECT_EQ(pTree->Kind(), TComponentKind::Form);
    const std::vector<CTTranslatableComponent*> owned = pTree->OwnedComponents();
    ASSERT_EQ(owned.size(), 3U);
    EXPECT_EQ(owned[0]->Kind(), TComponentKind::RadioGroup);
    EXPECT_EQ(owned[0]->GetItems(), std::vector<std::string>{"Cooling"});
    EXPECT_EQ(owned[0]->GetItemIndex(), -1);
    // The radio buttons are the group's items, the combo's list and the
    // file dialog's widgets are Qt's.
    EXPECT_TRUE(owned[0]->OwnedComponents().empty());
    EXPECT_EQ(owned[1]->Kind(), TComponentKind::ComboBox);
    EXPECT_TRUE(owned[1]->OwnedComponents().empty());
    EXPECT_EQ(owned[2]->Kind(), TComponentKind::FileDialog);
    EXPECT_TRUE(owned[2]->OwnedComponents().empty());
    EXPECT_EQ(owned[2]->GetText("Filter"), "");
    EXPECT_FALSE(owned[1]->GetText("Caption"));
}

}  // namespace
}  // namespace brumalis
