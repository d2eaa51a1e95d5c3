#include "documents/ui/print_params_window.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "dialogs/messages.h"
#include "dialogs/ui/bottom_panel.h"
#include "dialogs/ui/dialog_parent.h"
#include "documents/ui/raster_image.h"

namespace brumalis::docui {

namespace {

void SetHint(QWidget* pWidget, const char* szHint) {
    pWidget->setToolTip(QString::fromLatin1(szHint));
    pWidget->setStatusTip(QString::fromLatin1(szHint));
}

QLabel* NamedLabel(QWidget* pParent, const char* szName, const std::string& szText) {
    auto* pLabel = new QLabel(QString::fromStdString(szText), pParent);
    pLabel->setObjectName(QString::fromLatin1(szName));
    return pLabel;
}

QPushButton* Button(QWidget* pParent, const char* szName, const char* szCaption, const char* szHint) {
    auto* pButton = new QPushButton(QString::fromLatin1(szCaption), pParent);
    pButton->setObjectName(QString::fromLatin1(szName));
    SetHint(pButton, szHint);
    return pButton;
}

// The stored filter keeps the Windows form "text|pattern"; Qt reads the text.
std::string QtFilter(const std::string& szFilter) { return szFilter.substr(0, szFilter.find('|')); }

}  // namespace

std::optional<std::string> DesktopOpenFile(QWidget* pOwner, const TOpenFileRequest& request) {
    QString start = QString::fromStdString(request.szFolder);
    if (!request.szFileName.empty()) start = QString::fromStdString(request.szFileName);
    const QString chosen = QFileDialog::getOpenFileName(pOwner, QString::fromStdString(request.szTitle), start,
                                                        QString::fromStdString(request.szFilter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

std::vector<std::string> TDlgPrintParams::Texts() { return {kWidthCaption, kHeightCaption, kMaximumCaption}; }

TDlgPrintParams::TDlgPrintParams(QWidget* pOwner, bool bReadOnly, TOpenFileDialog openFile)
    : TBasicDialog(pOwner, bReadOnly), v_openFile(std::move(openFile)) {
    setObjectName(QStringLiteral("DlgPrintParams"));
    setWindowTitle(QString::fromLatin1(TPrintParamsDialog::kCaption));
    auto* pMain = new QVBoxLayout(this);
    AddCompanyGroup(this);
    AddLogoGroup(this);
    auto* pBottom = new dialogs::ui::TFraBottomPanelExt(this);
    pMain->addWidget(pBottom);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
    ShowLogo();
}

void TDlgPrintParams::AddCompanyGroup(QWidget* pParent) {
    auto* pGroup = new QGroupBox(QString::fromLatin1(TPrintParamsDialog::kCompanyGroup), pParent);
    pGroup->setObjectName(QStringLiteral("Grp_Company"));
    auto* pLines = new QVBoxLayout(pGroup);
    for (std::size_t n = 0; n < Txt_Line.size(); ++n) {
        QLineEdit* pEdit = new QLineEdit(QString::fromStdString(v_model.Line(n)), pGroup);
        pEdit->setObjectName(QStringLiteral("Txt_Line%1").arg(n + 1));
        SetHint(pEdit, TPrintParamsDialog::kLineHints[n]);
        pEdit->setMinimumWidth(pEdit->fontMetrics().averageCharWidth() * 50);
        connect(pEdit, &QLineEdit::textChanged, this,
                [this, n](const QString& text) { v_model.SetLine(n, text.toStdString()); });
        pLines->addWidget(pEdit);
        Txt_Line[n] = pEdit;
    }
    pParent->layout()->addWidget(pGroup);
}

void TDlgPrintParams::AddLogoGroup(QWidget* pParent) {
    auto* pGroup = new QGroupBox(QString::fromLatin1(TPrintParamsDialog::kLogoGroup), pParent);
    pGroup->setObjectName(QStringLiteral("Grp_Logo"));
    auto* pGroupLayout = new QVBoxLayout(pGroup);
    // The largest logo the reports take, at this screen's resolution.
    const int nDpi = logicalDpiX();
    v_pLogoPanel = new QWidget(pGroup);
    v_pLogoPanel->setObjectName(QStringLiteral("Pnl_Logo"));
    v_pLogoPanel->setFixedSize(brumalis::TDlgPrintParams::kMaxLogoWidth * nDpi / TPrintParamsDialog::kLogoDpi,
                               brumalis::TDlgPrintParams::kMaxLogoHeight * nDpi / TPrintParamsDialog::kLogoDpi);
    auto* pPanelLayout = new QVBoxLayout(v_pLogoPanel);
    pPanelLayout->setContentsMargins(0, 0, 0, 0);
    Img_Logo = new QLabel(v_pLogoPanel);
    Img_Logo->setObjectName(QStringLiteral("Img_Logo"));
    pPanelLayout->addWidget(Img_Logo, 0, Qt::AlignLeft | Qt::AlignTop);
    pGroupLayout->addWidget(v_pLogoPanel);

    Lbl_FileName = NamedLabel(pGroup, "Lbl_FileName", "");
    pGroupLayout->addWidget(Lbl_FileName);
    pGroupLayout->addWidget(NamedLabel(pGroup, "Lbl_Dimensions", TPrintParamsDialog::kDimensions));
    auto* pSizes = new QGridLayout;
    pSizes->addWidget(NamedLabel(pGroup, "Lbl_MaximumCaption", kMaximumCaption), 0, 2);
    pSizes->addWidget(NamedLabel(pGroup, "Lbl_WidthCaption", kWidthCaption), 1, 0);
    Lbl_Width = NamedLabel(pGroup, "Lbl_Width", "");
    pSizes->addWidget(Lbl_Width, 1, 1);
    pSizes->addWidget(NamedLabel(pGroup, "Lbl_WidthMax", TPrintParamsDialog::WidthMaxText()), 1, 2);
    pSizes->addWidget(NamedLabel(pGroup, "Lbl_HeightCaption", kHeightCaption), 2, 0);
    Lbl_Height = NamedLabel(pGroup, "Lbl_Height", "");
    pSizes->addWidget(Lbl_Height, 2, 1);
    pSizes->addWidget(NamedLabel(pGroup, "Lbl_HeightMax", TPrintParamsDialog::HeightMaxText()), 2, 2);
    pSizes->setColumnStretch(3, 1);
    pGroupLayout->addLayout(pSizes);

    auto* pButtons = new QHBoxLayout;
    Btn_Browse = Button(pGroup, "Btn_Browse", TPrintParamsDialog::kBrowseCaption, TPrintParamsDialog::kBrowseHint);
    Btn_Clear = Button(pGroup, "Btn_Clear", TPrintParamsDialog::kClearCaption, TPrintParamsDialog::kClearHint);
    pButtons->addWidget(Btn_Browse);
    pButtons->addWidget(Btn_Clear);
    pButtons->addStretch(1);
    pGroupLayout->addLayout(pButtons);
    connect(Btn_Browse, &QPushButton::clicked, this, &TDlgPrintParams::Btn_BrowseClick);
    connect(Btn_Clear, &QPushButton::clicked, this, &TDlgPrintParams::Btn_ClearClick);
    pParent->layout()->addWidget(pGroup);
}

QSize TDlgPrintParams::PreviewSize() const {
    const TPrintParamsDialog::TSize size = v_model.PreviewSize(logicalDpiX());
    return {size.Width, size.Height};
}

void TDlgPrintParams::ShowLogo() {
    Lbl_FileName->setText(QString::fromStdString(v_model.FileNameText()));
    Lbl_FileName->setToolTip(QString::fromStdString(v_model.LogoFile()));
    Btn_Clear->setEnabled(v_model.ClearEnabled());
    const TPrintParamsDialog::TLogoPreview& preview = v_model.Preview();
    Lbl_Width->setText(QString::fromStdString(preview.WidthText));
    Lbl_Height->setText(QString::fromStdString(preview.HeightText));
    const QSize size = PreviewSize();
    if (!preview.Shown || size.isEmpty()) {
        Img_Logo->clear();
        Img_Logo->setFixedSize(0, 0);
        return;
    }
    // Scaled from the file's pixels straight to the device's, so it is sharp
    // on a 2x screen too.
    const double dRatio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(RasterImage(v_model.Logo().Raster())
                                            .scaled(size * dRatio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(dRatio);
    Img_Logo->setPixmap(pixmap);
    Img_Logo->setFixedSize(size);
}

void TDlgPrintParams::Btn_BrowseClick() {
    const TPrintParamsDialog::TBrowseStart start = v_model.BrowseStart();
    const TOpenFileRequest request{dialogs::TBaseMsg::Translate(TPrintParamsDialog::kOpenTitle),
                                   QtFilter(dialogs::TBaseMsg::Translate(TPrintParamsDialog::kOpenFilter)),
                                   start.Folder, start.FileName};
    v_model.Browse(v_openFile(this, request));
    ShowLogo();
}

void TDlgPrintParams::Btn_ClearClick() {
    v_model.Clear();
    ShowLogo();
}

bool TDlgPrintParams::ValidateOK() {
    const brumalis::TDlgPrintParams::TSaveOutcome outcome = v_model.Accept();
    if (outcome.bSaved) return true;
    dialogs::TBaseMsg::DisplayError(dialogs::ui::ToDialogParent(this), dialogs::msgAllParameters,
                                    {outcome.szMessage});
    return false;
}

bool OpenPrintParameters(QWidget* pOwner, TOpenFileDialog openFile) {
    const auto pDialog = dialogs::ui::TBasicDialog::Create<TDlgPrintParams>(pOwner, false, std::move(openFile));
    return pDialog->Execute() == 1;
}

}  // namespace brumalis::docui
