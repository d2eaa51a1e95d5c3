#include "workflow/ui/brine_frame_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "dialogs/messages.h"

namespace brumalis::ui {

TBrineFrameView::TBrineFrameView(TFrm_ChBrine& model, const QString& title, QWidget* pParent)
    : QGroupBox(title, pParent), v_model(model) {
    Txt_Brines = new QComboBox(this);
    Txt_Brines->setObjectName(QStringLiteral("Txt_Brines"));
    Box_Percentages = new QGroupBox(QStringLiteral("Settings"), this);
    Box_Percentages->setObjectName(QStringLiteral("Box_Percentages"));
    UD_Percent = new QSpinBox(Box_Percentages);
    UD_Percent->setObjectName(QStringLiteral("UD_Percent"));
    UD_Percent->setRange(0, TFrm_ChBrine::kMaxPercent);
    UD_Percent->setSuffix(QStringLiteral(" %"));
    // A typed value is committed on Enter or on leaving; the arrows at once.
    UD_Percent->setKeyboardTracking(false);
    Chk_Percent = new QCheckBox(QStringLiteral("Change % weight"), Box_Percentages);
    Chk_Percent->setObjectName(QStringLiteral("Chk_Percent"));
    auto* pSettings = new QHBoxLayout(Box_Percentages);
    pSettings->addWidget(UD_Percent);
    pSettings->addWidget(Chk_Percent, 1);
    // One line: the brine, then its percentage when the model shows it.
    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(Txt_Brines, 1);
    pLayout->addWidget(Box_Percentages, 1);

    connect(Txt_Brines, &QComboBox::activated, this, [this](int nIndex) {
        v_model.SelectItem(nIndex);
        Changed();
    });
    connect(UD_Percent, &QSpinBox::valueChanged, this, [this](int nValue) {
        v_model.EnterPercentage(std::to_string(nValue));
        Changed();
    });
    connect(Chk_Percent, &QCheckBox::toggled, this, [this](bool bChecked) {
        v_model.SetChangeWeight(bChecked);
        Changed();
    });
    Refresh();
}

void TBrineFrameView::Changed() const {
    if (v_onChanged) v_onChanged();
}

void TBrineFrameView::Refresh() {
    const QSignalBlocker brines(Txt_Brines), percent(UD_Percent), check(Chk_Percent);
    const std::vector<std::string> items = v_model.Items();
    if (Txt_Brines->count() != static_cast<int>(items.size())) {
        Txt_Brines->clear();
        // The catalogue keeps brine names in English only: the usual ones
        // are translated with the window, others show as they are.
        for (const std::string& szItem : items) {
            Txt_Brines->addItem(QString::fromStdString(dialogs::TBaseMsg::Translate(szItem)));
        }
    }
    Txt_Brines->setCurrentIndex(v_model.ItemIndex());
    Box_Percentages->setVisible(v_model.SettingsVisible());
    UD_Percent->setValue(static_cast<int>(v_model.GetPercentage()));
    Chk_Percent->setChecked(v_model.ChangeWeight());
}

}  // namespace brumalis::ui
