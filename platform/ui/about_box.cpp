#include "platform/ui/about_box.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

#include "dialogs/ui/bottom_panel.h"
#include "platform/ui/svg_pixmap.h"

namespace brumalis::platform::ui {

namespace {

constexpr int kProgramIconSide = 32;
constexpr int kLinkIconSide = 16;

// Our own link pictures: a globe for web addresses, an envelope for mail.
constexpr const char* kWebIcon =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 16 16"><g fill="none" stroke="#1f5fa8" stroke-width="1.2">)"
    R"(<circle cx="8" cy="8" r="6.4"/><ellipse cx="8" cy="8" rx="2.8" ry="6.4"/><path d="M1.6 8h12.8M2.6 4.6h10.8M2.6 11.4h10.8"/>)"
    R"(</g></svg>)";
constexpr const char* kMailIcon =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 16 16"><rect x="1.5" y="3.5" width="13" height="9" rx="1" )"
    R"(fill="#fdfdf5" stroke="#1f5fa8" stroke-width="1.2"/><path d="M1.8 4l6.2 5 6.2-5" fill="none" stroke="#1f5fa8" )"
    R"(stroke-width="1.2"/></svg>)";

QLabel* NamedLabel(QWidget* pParent, const char* szName, const std::string& szText) {
    auto* pLabel = new QLabel(QString::fromStdString(szText), pParent);
    pLabel->setObjectName(QString::fromLatin1(szName));
    return pLabel;
}

QWidget* Panel(QWidget* pParent, const char* szName, bool bFramed) {
    auto* pPanel = new QFrame(pParent);
    pPanel->setObjectName(QString::fromLatin1(szName));
    if (bFramed) pPanel->setFrameShape(QFrame::StyledPanel);
    new QVBoxLayout(pPanel);
    return pPanel;
}

constexpr const char* kTargetProperty = "brumalisTarget";

}  // namespace

TFrm_AboutBox::TFrm_AboutBox(QWidget* pOwner, bool bReadOnly, TAboutBoxCallbacks callbacks,
                             std::string_view szDataVersion, int nTitleID)
    : TBasicDialog(pOwner, bReadOnly), v_callbacks(std::move(callbacks)) {
    setObjectName(QStringLiteral("Frm_AboutBox"));
    const dialogs::TAboutBoxContent content =
        dialogs::TAboutBox::Content(szDataVersion, static_cast<bool>(v_callbacks.Disclaimer), nTitleID);
    setWindowTitle(QString::fromLatin1(dialogs::TAboutBox::kCaption));
    new QVBoxLayout(this);
    AddHeader(content);
    AddDistributor(content);
    AddLinksAndCredits(content);
    AddButtons(content);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TFrm_AboutBox::AddHeader(const dialogs::TAboutBoxContent& content) {
    auto* pRow = new QHBoxLayout;
    Img_ProgramIcon = new QLabel(this);
    Img_ProgramIcon->setObjectName(QStringLiteral("Img_ProgramIcon"));
    Img_ProgramIcon->setFixedSize(kProgramIconSide, kProgramIconSide);
    Img_ProgramIcon->setPixmap(EmbeddedSvgPixmap("PROGRAM_ICON_0", kProgramIconSide, devicePixelRatioF()));
    pRow->addWidget(Img_ProgramIcon, 0, Qt::AlignTop);

    auto* pTexts = new QVBoxLayout;
    Lbl_ProductName = NamedLabel(this, "Lbl_ProductName", content.ProductName);
    QFont bold = Lbl_ProductName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    Lbl_ProductName->setFont(bold);
    // One line sits level with the icon's middle; more start at its top.
    const bool bMultiLine = content.ProductName.find('\n') != std::string::npos;
    if (!bMultiLine) Lbl_ProductName->setMinimumHeight(kProgramIconSide);
    Lbl_ProductName->setAlignment(Qt::AlignLeft | (bMultiLine ? Qt::AlignTop : Qt::AlignVCenter));
    pTexts->addWidget(Lbl_ProductName);
    Lbl_Version = NamedLabel(this, "Lbl_Version", content.Version);
    Lbl_Language = NamedLabel(this, "Lbl_Language", content.Language);
    pTexts->addWidget(Lbl_Version);
    pTexts->addWidget(Lbl_Language);
    auto* pData = new QHBoxLayout;
    Lbl_DataVersion = NamedLabel(this, "Lbl_DataVersion", content.DataVersionCaption);
    Lbl_VersionAndConfig = NamedLabel(this, "Lbl_VersionAndConfig", content.DataVersion);
    pData->addWidget(Lbl_DataVersion);
    pData->addWidget(Lbl_VersionAndConfig, 1);
    pTexts->addLayout(pData);
    pRow->addLayout(pTexts, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(pRow);
}

QLabel* TFrm_AboutBox::AddCentredLabel(QWidget* pPanel, const char* szName, const dialogs::TAboutLabel& label) {
    QLabel* pLabel = NamedLabel(pPanel, szName, label.Text);
    pLabel->setAlignment(Qt::AlignHCenter);
    pLabel->setVisible(label.Visible);
    pPanel->layout()->addWidget(pLabel);
    return pLabel;
}

TFrm_AboutBox::TLink TFrm_AboutBox::AddLink(QWidget* pPanel, const char* szName, const dialogs::TAboutLabel& label,
                                            const char* szIconSvg) {
    TLink link;
    auto* pRow = new QHBoxLayout;
    link.Icon = new QToolButton(pPanel);
    link.Icon->setObjectName(QStringLiteral("Img_") + QString::fromLatin1(szName + 4));
    link.Icon->setAutoRaise(true);
    // The keyboard opens a link through its icon.
    link.Icon->setFocusPolicy(Qt::TabFocus);
    link.Icon->setIcon(QIcon(SvgPixmap(QByteArray(szIconSvg), kLinkIconSide, devicePixelRatioF())));
    link.Icon->setIconSize(QSize(kLinkIconSide, kLinkIconSide));
    // Plain text in the link colour, so the label reads the address alone.
    link.Label = NamedLabel(pPanel, szName, label.Text);
    link.Label->setTextFormat(Qt::PlainText);
    QFont underlined = link.Label->font();
    underlined.setUnderline(true);
    link.Label->setFont(underlined);
    QPalette palette = link.Label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    link.Label->setPalette(palette);
    link.Label->setCursor(Qt::PointingHandCursor);
    link.Label->setProperty(kTargetProperty, QString::fromStdString(label.Target));
    link.Label->installEventFilter(this);
    // Icon and label centred together in their panel.
    pRow->addStretch(1);
    pRow->addWidget(link.Icon);
    pRow->addWidget(link.Label);
    pRow->addStretch(1);
    static_cast<QVBoxLayout*>(pPanel->layout())->addLayout(pRow);
    link.Icon->setVisible(label.Visible);
    link.Label->setVisible(label.Visible);
    const std::string szTarget = label.Target;
    connect(link.Icon, &QToolButton::clicked, this, [this, szTarget] { Open(szTarget); });
    return link;
}

void TFrm_AboutBox::AddDistributor(const dialogs::TAboutBoxContent& content) {
    QWidget* pPanel = Panel(this, "Pnl_Distrib", true);
    for (std::size_t n = 0; n < Lbl_Distrib.size(); ++n) {
        const std::string szName = "Lbl_Distrib" + std::to_string(n + 1);
        Lbl_Distrib[n] = AddCentredLabel(pPanel, szName.c_str(), content.DistributorLines[n]);
    }
    Lbl_DistribTel = AddCentredLabel(pPanel, "Lbl_DistribTel", content.Telephone);
    WWWDistrib = AddLink(pPanel, "Lbl_WWWDistrib", content.Web, kWebIcon);
    MailDistrib = AddLink(pPanel, "Lbl_MailDistrib", content.Mail, kMailIcon);
    layout()->addWidget(pPanel);
}

void TFrm_AboutBox::AddLinksAndCredits(const dialogs::TAboutBoxContent& content) {
    QWidget* pLinks = Panel(this, "Pnl_Links", false);
    FixedLinks[0] = AddLink(pLinks, "Lbl_WWWMaker", content.FixedLinks[0], kWebIcon);
    FixedLinks[1] = AddLink(pLinks, "Lbl_WWWSoftwareHouse", content.FixedLinks[1], kWebIcon);
    layout()->addWidget(pLinks);
    QWidget* pCredits = Panel(this, "Pnl_Credits", true);
    int nLine = 0;
    for (const std::string& szCredit : content.Credits) {
        const std::string szName = "Lbl_Credit" + std::to_string(++nLine);
        AddCentredLabel(pCredits, szName.c_str(), dialogs::TAboutLabel{szCredit, true, false, ""});
    }
    layout()->addWidget(pCredits);
}

void TFrm_AboutBox::AddButtons(const dialogs::TAboutBoxContent& content) {
    auto* pBottom = new dialogs::ui::TFraBottomPanelExt(this);
    pBottom->UseOKOnly(false);
    Btn_OK = pBottom->OkButton();
    Btn_OK->setText(QString::fromLatin1(dialogs::TAboutBox::kOKButton));
    auto* pRow = qobject_cast<QBoxLayout*>(Btn_OK->parentWidget()->layout());
    Btn_License = new QPushButton(QString::fromLatin1(dialogs::TAboutBox::kDisclaimerButton), Btn_OK->parentWidget());
    Btn_License->setObjectName(QStringLiteral("Btn_License"));
    Btn_License->setToolTip(QString::fromLatin1(kDisclaimerHint));
    Btn_Update = new QPushButton(QString::fromLatin1(dialogs::TAboutBox::kUpgradeButton), Btn_OK->parentWidget());
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Update->setToolTip(QString::fromLatin1(kUpgradeHint));
    pRow->insertWidget(0, Btn_Update);
    pRow->insertWidget(0, Btn_License);
    setTabOrder(Btn_License, Btn_Update);
    setTabOrder(Btn_Update, Btn_OK);
    Btn_License->setVisible(content.DisclaimerShown);
    // Without the terms OK sits in the middle.
    if (!content.DisclaimerShown) pRow->addStretch(1);
    Btn_Update->setEnabled(static_cast<bool>(v_callbacks.Upgrade));
    connect(Btn_License, &QPushButton::clicked, this, [this] { v_callbacks.Disclaimer(this); });
    connect(Btn_Update, &QPushButton::clicked, this, [this] { v_callbacks.Upgrade(this); });
    layout()->addWidget(pBottom);
}

bool TFrm_AboutBox::eventFilter(QObject* pWatched, QEvent* pEvent) {
    const QVariant target = pWatched->property(kTargetProperty);
    if (target.isValid() && pEvent->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton) {
        Open(target.toString().toStdString());
        return true;
    }
    return TBasicDialog::eventFilter(pWatched, pEvent);
}

void TFrm_AboutBox::Open(const std::string& szTarget) const {
    if (v_callbacks.ShellOpen) v_callbacks.ShellOpen(szTarget);
}

}  // namespace brumalis::platform::ui
