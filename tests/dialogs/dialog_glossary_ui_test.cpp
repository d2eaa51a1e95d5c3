// Every caption and hint of the dialog framework's windows has its one
// Russian translation in the shipped user-interface glossary.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/ui/basic_dialog.h"
#include "dialogs/ui/bottom_panel.h"
#include "dialogs/ui/busy_window.h"
#include "dialogs/ui/logon_window.h"
#include "dialogs/ui/message_windows.h"
#include "tests/localisation/shipped_glossary.h"

namespace brumalis::dialogs::ui {
namespace {

class TPanelDialog : public TBasicDialog {
public:
    TPanelDialog(QWidget* pOwner, bool bReadOnly) : TBasicDialog(pOwner, bReadOnly) {
        (new QVBoxLayout(this))->addWidget(new TFraBottomPanelExt(this));
    }
};

// The fixed texts of a window: title, captions and hints; the message and
// the percentage are filled at run time.
void CollectTexts(const QWidget& window, std::set<std::string>& texts) {
    const auto Add = [&texts](const QString& sz) {
        if (!sz.isEmpty()) texts.insert(sz.toStdString());
    };
    Add(window.windowTitle());
    for (const QWidget* pWidget : window.findChildren<QWidget*>()) {
        Add(pWidget->toolTip());
        if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) Add(pButton->text());
        const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
        const QString szName = pWidget->objectName();
        if (pLabel != nullptr && szName != QLatin1String("Lbl_Text") && szName != QLatin1String("Txt_Message") &&
            szName != QLatin1String("Lbl_Percentage")) {
            Add(pLabel->text());
        }
    }
}

TEST(DialogGlossaryUiTest, EveryCaptionAndHintOfTheFrameworkWindowsIsTranslated) {
    const auto glossary = test::LoadShippedGlossary("UIGlossary");
    ASSERT_TRUE(glossary);

    std::set<std::string> texts;
    for (const TMsgDlgType nType : {mtError, mtConfirmation, mtWarning, mtInformation}) {
        CollectTexts(TMessageWindow(nullptr, TMessageWindowModel(nType, TMsgDlgButtons::FromBits(0x3FF), "x")), texts);
    }
    TInputWindowModel input("", "", "", {});
    CollectTexts(TInputWindow(nullptr, input), texts);
    CollectTexts(*TBasicDialog::Create<TPanelDialog>(nullptr, false), texts);
    CollectTexts(*TBasicDialog::Create<TFrm_Busy>(nullptr, false), texts);
    CollectTexts(*TBasicDialog::Create<TFrm_Logon>(nullptr, false), texts);
    texts.insert("Read-only");
    EXPECT_GE(texts.size(), 20u);
    for (const std::string& szText : texts) {
        EXPECT_TRUE(glossary->Translate(szText).has_value()) << szText;
    }
}

}  // namespace
}  // namespace brumalis::dialogs::ui
