#include "workflow/ui/price_file_frame_view.h"

#include <QtGui/QResizeEvent>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>

#include "dialogs/messages.h"
#include "localisation/file_filter.h"
#include "localisation/ui/widget_translation.h"

namespace brumalis::ui {
namespace {

QString Q(const std::string& sz) { return QString::fromStdString(sz); }

QLabel* ColouredLabel(QWidget* pOwner, const char* szName, const char* szCaption, Qt::GlobalColor colour) {
    auto* pLabel = new QLabel(QString::fromLatin1(szCaption), pOwner);
    pLabel->setObjectName(QString::fromLatin1(szName));
    QPalette palette = pLabel->palette();
    palette.setColor(QPalette::WindowText, colour);
    pLabel->setPalette(palette);
    return pLabel;
}

QPushButton* HintedButton(QWidget* pOwner, const char* szName, const char* szCaption, const char* szHint) {
    auto* pButton = new QPushButton(QString::fromLatin1(szCaption), pOwner);
    pButton->setObjectName(QString::fromLatin1(szName));
    SetHint(*pButton, szHint);
    return pButton;
}

}  // namespace

std::optional<std::string> AskExistingFile(QWidget* pParent, const std::string& szTitle, const std::string& szFilter,
                                           const std::string& szDefaultSuffix) {
    QFileDialog dialog(pParent, Q(szTitle));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(Q(NameFiltersFromFilter(szFilter)).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(Q(szDefaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

TFrmPriceFileAdminView::TFrmPriceFileAdminView(TFrmPriceFileAdmin& model, QWidget* pParent)
    : QWidget(pParent), v_model(model) {
    setObjectName(QStringLiteral("FrmPriceFileAdmin"));
    auto* pGrid = new QGridLayout(this);
    Lbl_CFileName = new QLabel(QString::fromLatin1(TFrmPriceFileAdmin::kFileNameCaption), this);
    Lbl_CFileName->setObjectName(QStringLiteral("Lbl_CFileName"));
    Lbl_FileName = ColouredLabel(this, "Lbl_FileName", "", Qt::blue);
    // The name is shortened to the room it gets; it never widens the frame.
    Lbl_FileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Lbl_InvalidFile = ColouredLabel(this, "Lbl_InvalidFile", TFrmPriceFileAdmin::kInvalidFile, Qt::red);
    Lbl_FileNotFound = ColouredLabel(this, "Lbl_FileNotFound", TFrmPriceFileAdmin::kFileNotFound, Qt::red);
    Btn_Browse = HintedButton(this, "Btn_Browse", TFrmPriceFileAdmin::kBrowseCaption, TFrmPriceFileAdmin::kBrowseHint);
    Btn_Clear = HintedButton(this, "Btn_Clear", TFrmPriceFileAdmin::kClearCaption, TFrmPriceFileAdmin::kClearHint);
    pGrid->addWidget(Lbl_CFileName, 0, 0);
    pGrid->addWidget(Lbl_FileName, 0, 1);
    pGrid->addWidget(Lbl_InvalidFile, 1, 0, 1, 2);
    pGrid->addWidget(Lbl_FileNotFound, 1, 0, 1, 2);
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(Btn_Browse);
    pButtons->addWidget(Btn_Clear);
    pButtons->addStretch(1);
    pGrid->addLayout(pButtons, 2, 0, 1, 2);
    pGrid->setColumnStretch(1, 1);
    // The red row keeps its height while neither label shows.
    pGrid->setRowMinimumHeight(1, Lbl_InvalidFile->sizeHint().height());
    connect(Btn_Browse, &QPushButton::clicked, this, &TFrmPriceFileAdminView::Btn_BrowseClick);
    connect(Btn_Clear, &QPushButton::clicked, this, &TFrmPriceFileAdminView::Btn_ClearClick);
    ShowState();
}

void TFrmPriceFileAdminView::ShowFileState() {
    v_model.ShowFileState();
    ShowState();
}

void TFrmPriceFileAdminView::ShowState() {
    const TFrmPriceFileAdmin::TFileState& state = v_model.State();
    Lbl_FileName->setText(Q(state.FileNameText));
    // The whole name stays readable in the label's hint.
    Lbl_FileName->setToolTip(Q(v_model.FileName()));
    Lbl_InvalidFile->setVisible(state.InvalidFileShown);
    Lbl_FileNotFound->setVisible(state.FileNotFoundShown);
    Btn_Clear->setEnabled(state.ClearEnabled);
}

void TFrmPriceFileAdminView::MeasureNameRoom() {
    const int nRight = layout() ? layout()->contentsMargins().right() : 0;
    const int nRoom = std::max(0, width() - Lbl_FileName->x() - nRight);
    const QFontMetrics metrics = Lbl_FileName->fontMetrics();
    v_model.SetNameRoom(nRoom, [metrics](std::string_view szText) {
        return metrics.horizontalAdvance(QString::fromUtf8(szText.data(), static_cast<qsizetype>(szText.size())));
    });
    ShowState();
}

void TFrmPriceFileAdminView::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    // The layout has placed the label before the frame hears of its size.
    MeasureNameRoom();
}

void TFrmPriceFileAdminView::Btn_BrowseClick() {
    const std::optional<std::string> chosen =
        v_ask(this, dialogs::TBaseMsg::Translate(TFrmPriceFileAdmin::kOpenTitle),
              dialogs::TBaseMsg::Translate(TFrmPriceFileAdmin::kOpenFilter), TFrmPriceFileAdmin::kDefaultExtension);
    if (!chosen) return;
    v_model.Btn_BrowseClick(*chosen);
    ShowState();
}

void TFrmPriceFileAdminView::Btn_ClearClick() {
    v_model.Btn_ClearClick();
    ShowState();
}

}  // namespace brumalis::ui
