#include "workflow/ui/chiller_ui_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "localisation/ui/widget_translation.h"
#include "platform/build_identity.h"
#include "workflow/ui/embedded_icons.h"
#include "workflow/ui/widget_state.h"

namespace brumalis::ui {
namespace {

constexpr std::array<const char*, kChillerPageCount> kPageIcons = {
    "ICON_PAGE_SETTINGS", "ICON_PAGE_RESULTS", "ICON_PAGE_PLANT",
    "ICON_PAGE_BASKET",   "ICON_PAGE_ANALYSIS", "ICON_PAGE_CHILLERS"};
constexpr std::array<const char*, kChillerPageCount> kPageNames = {
    "Tab_Settings", "Tab_Results", "Tab_PlantBuilder", "Tab_Basket", "Tab_Analysis", "Tab_Chillers"};

constexpr QSize kLogoSize(150, 40);

// The size the window opens with the first time, when the screen has room.
constexpr QSize kFirstSize(1200, 760);

QString Q(std::string_view sz) { return QString::fromUtf8(sz.data(), static_cast<qsizetype>(sz.size())); }

QRect ToQRect(const TScreenRect& r) { return QRect(r.Left, r.Top, r.Width, r.Height); }
TScreenRect FromQRect(const QRect& r) { return TScreenRect{r.x(), r.y(), r.width(), r.height()}; }

// The available areas of the screens, the primary first.
std::vector<TScreenRect> ScreenAreas() {
    std::vector<TScreenRect> areas;
    if (QScreen* pPrimary = QGuiApplication::primaryScreen()) areas.push_back(FromQRect(pPrimary->availableGeometry()));
    for (QScreen* pScreen : QGuiApplication::screens()) {
        if (pScreen != QGuiApplication::primaryScreen()) areas.push_back(FromQRect(pScreen->availableGeometry()));
    }
    return areas;
}

QAction* Command(QWidget* pOwner, const char* szName, const char* szIcon, std::string_view szCaption,
                 const std::string& szHint, const QKeySequence& shortcut) {
    auto* pAction = new QAction(EmbeddedIcon(szIcon), Q(szCaption), pOwner);
    pAction->setObjectName(QString::fromLatin1(szName));
    pAction->setShortcut(shortcut);
    SetHint(*pAction, szHint);
    return pAction;
}

}  // namespace

TChillerUIForm::TChillerUIForm(TMainWindowModel& model, TShellOpen shellOpen, QWidget* pParent)
    : QMainWindow(pParent), v_model(model), v_shellOpen(std::move(shellOpen)) {
    setObjectName(QStringLiteral("ChillerUIForm"));
    CreateCommands();
    CreatePages();
    Pnl_Hint = new QLabel(this);
    Pnl_Hint->setObjectName(QStringLiteral("Pnl_Hint"));
    statusBar()->addWidget(Pnl_Hint, 1);
    v_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* pNow) { GlobalOnEnter(pNow); });
    v_model.SetOnChange([this] { ShowModel(); });
    ShowModel();
    // The pages, not the logo, have the keyboard when the window opens.
    PG_ChillerPages->setFocus();
    RestorePlacement();
}

// Its widgets go after this body: focus moving away from them must not reach it.
TChillerUIForm::~TChillerUIForm() {
    // Whoever answers it goes with the widgets.
    v_closeQuery = {};
    disconnect(v_focusConnection);
    v_model.SetOnChange({});
}

void TChillerUIForm::CreateCommands() {
    AM_Commands = new QActionGroup(this);
    AM_Commands->setObjectName(QStringLiteral("AM_Commands"));
    AM_Commands->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    ACF_Open = Command(this, "ACF_Open", "ICON_OPEN", "Open...", "Opens a Chiller project file", QKeySequence::Open);
    ACF_Save = Command(this, "ACF_Save", "ICON_SAVE", "Save...", "Saves the solution basket to a Chiller project file",
                       QKeySequence::Save);
    ACF_SaveAs = Command(this, "ACF_SaveAs", "ICON_SAVE_AS", "Save As...",
                         "Saves the solution basket to a new Chiller project file", QKeySequence::SaveAs);
    // Each stays disabled until the project commands take it over.
    for (QAction* pAction : {ACF_Open, ACF_Save, ACF_SaveAs}) pAction->setEnabled(false);
    ACF_Exit = Command(this, "ACF_Exit", "ICON_EXIT", "Exit", "Exit the Brumalis program", QKeySequence::Quit);
    ACF_Preferences = Command(this, "ACF_Preferences", "ICON_PREFERENCES", "Preferences",
                              "Set the required preferences", QKeySequence::Preferences);
    // Not every desktop defines the standard keys; these are the usual ones.
    if (ACF_Exit->shortcut().isEmpty()) ACF_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    if (ACF_Preferences->shortcut().isEmpty()) ACF_Preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    if (ACF_Open->shortcut().isEmpty()) ACF_Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    if (ACF_Save->shortcut().isEmpty()) ACF_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    if (ACF_SaveAs->shortcut().isEmpty()) ACF_SaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AM_Commands->addAction(ACF_Open);
    AM_Commands->addAction(ACF_Save);
    ACF_Preferences->setEnabled(false);
    AM_Commands->addAction(ACF_Preferences);
    AM_Commands->addAction(ACF_Exit);
    connect(ACF_Exit, &QAction::triggered, this, &QWidget::close);
    connect(ACF_Preferences, &QAction::triggered, this, [this] {
        if (v_preferences) v_preferences();
    });
    CreateFileMenu();

    Ctl_ToolBar = addToolBar(QString());
    Ctl_ToolBar->setObjectName(QStringLiteral("Ctl_ToolBar"));
    Ctl_ToolBar->setMovable(false);
    Ctl_ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Ctl_ToolBar->setIconSize(QSize(32, 32));
    Ctl_ToolBar->addActions(AM_Commands->actions());
    auto* pSpacer = new QWidget(Ctl_ToolBar);
    pSpacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    Ctl_ToolBar->addWidget(pSpacer);

    Img_SalvikLogo = new QLabel(Ctl_ToolBar);
    Img_SalvikLogo->setObjectName(QStringLiteral("Img_SalvikLogo"));
    Img_SalvikLogo->setPixmap(EmbeddedIcon("LOGO_SALVIK").pixmap(kLogoSize));
    // A tool bar shows and hides its widgets through their actions.
    v_salvikLogoAction = Ctl_ToolBar->addWidget(Img_SalvikLogo);
    // In a frame of its own: a tool bar gives the buttons it holds its icon size.
    auto* pLogoFrame = new QWidget(Ctl_ToolBar);
    auto* pLogoLayout = new QHBoxLayout(pLogoFrame);
    pLogoLayout->setContentsMargins(0, 0, 0, 0);
    Img_OrvaneLogo = new QToolButton(pLogoFrame);
    Img_OrvaneLogo->setObjectName(QStringLiteral("Img_OrvaneLogo"));
    Img_OrvaneLogo->setIcon(EmbeddedIcon("LOGO_ORVANE"));
    Img_OrvaneLogo->setIconSize(kLogoSize);
    Img_OrvaneLogo->setAutoRaise(true);
    Img_OrvaneLogo->setCursor(Qt::PointingHandCursor);
    SetHint(*Img_OrvaneLogo, "Visit the maker's web site");
    pLogoLayout->addWidget(Img_OrvaneLogo);
    Ctl_ToolBar->addWidget(pLogoFrame);
    connect(Img_OrvaneLogo, &QToolButton::clicked, this, [this] { v_shellOpen(platform::MakerWebAddress()); });
}

// The first menu; the others (help) are added after it.
void TChillerUIForm::CreateFileMenu() {
    MM_File = menuBar()->addMenu(Q("File"));
    MM_File->setObjectName(QStringLiteral("MM_File"));
    MM_File->addAction(ACF_Open);
    MM_File->addAction(ACF_Save);
    MM_File->addAction(ACF_SaveAs);
    MM_File->addSeparator();
    MM_File->addAction(ACF_Preferences);
    MM_File->addSeparator();
    MM_File->addAction(ACF_Exit);
    // The actions without a tool button still work from the keyboard.
    addAction(ACF_SaveAs);
}

void TChillerUIForm::CreatePages() {
    PG_ChillerPages = new QTabWidget(this);
    PG_ChillerPages->setObjectName(QStringLiteral("PG_ChillerPages"));
    PG_ChillerPages->setIconSize(QSize(24, 24));
    QWidget** pages[] = {&Tab_Settings, &Tab_Results, &Tab_PlantBuilder, &Tab_Basket, &Tab_Analysis, &Tab_Chillers};
    for (int i = 0; i < kChillerPageCount; ++i) {
        *pages[i] = new QWidget(PG_ChillerPages);
        (*pages[i])->setObjectName(QString::fromLatin1(kPageNames[i]));
        PG_ChillerPages->addTab(*pages[i], Q(ChillerPageCaption(static_cast<TChillerPage>(i))));
    }
    setCentralWidget(PG_ChillerPages);
    connect(PG_ChillerPages, &QTabWidget::currentChanged, this, &TChillerUIForm::PG_ChillerPagesChange);
}

QWidget* TChillerUIForm::Page(TChillerPage page) const { return PG_ChillerPages->widget(static_cast<int>(page)); }

void TChillerUIForm::SetPageContent(TChillerPage page, QWidget* pContent) {
    QWidget* pTab = Page(page);
    auto* pLayout = qobject_cast<QVBoxLayout*>(pTab->layout());
    if (!pLayout) {
        pLayout = new QVBoxLayout(pTab);
        pLayout->setContentsMargins(0, 0, 0, 0);
    }
    pLayout->addWidget(pContent);
}

void TChillerUIForm::SetPreferencesHandler(std::function<void()> handler) {
    v_preferences = std::move(handler);
    ACF_Preferences->setEnabled(static_cast<bool>(v_preferences));
}

void TChillerUIForm::ShowModel() {
    setWindowTitle(Q(v_model.Caption()));
    v_salvikLogoAction->setVisible(v_model.SecondLogoVisible());
    for (int i = 0; i < kChillerPageCount; ++i) {
        const bool bGreyed = !v_model.IsAvailable(static_cast<TChillerPage>(i));
        PG_ChillerPages->setTabIcon(i, EmbeddedIcon(kPageIcons[i], bGreyed));
    }
    PG_ChillerPagesChange(PG_ChillerPages->currentIndex());
}

// By mouse or keyboard: a page with nothing to show gives way to Settings.
void TChillerUIForm::PG_ChillerPagesChange(int nIndex) {
    if (nIndex < 0) return;
    const TChillerPage page = v_model.PageToActivate(static_cast<TChillerPage>(nIndex));
    if (static_cast<int>(page) != nIndex) PG_ChillerPages->setCurrentIndex(static_cast<int>(page));
}

void TChillerUIForm::GlobalOnEnter(QWidget* pEntered) {
    if (pEntered && pEntered->window() == this) Pnl_Hint->setText(pEntered->toolTip());
}

bool TChillerUIForm::event(QEvent* pEvent) {
    // The hint of what the mouse is over; leaving it clears the line.
    if (pEvent->type() == QEvent::StatusTip) {
        Pnl_Hint->setText(static_cast<QStatusTipEvent*>(pEvent)->tip());
        return true;
    }
    return QMainWindow::event(pEvent);
}

void TChillerUIForm::RestorePlacement() {
    const auto placement = ReadWindowPlacement(platform::Registry().CurrentUser());
    const std::vector<TScreenRect> screens = ScreenAreas();
    TScreenRect normal;
    if (placement) {
        normal = placement->Normal;
    } else if (!screens.empty()) {
        const TScreenRect& screen = screens.front();
        normal.Width = std::min(kFirstSize.width(), screen.Width);
        normal.Height = std::min(kFirstSize.height(), screen.Height);
        normal.Left = screen.Left + (screen.Width - normal.Width) / 2;
        normal.Top = screen.Top + (screen.Height - normal.Height) / 2;
    } else {
        normal = TScreenRect{0, 0, kFirstSize.width(), kFirstSize.height()};
    }
    setGeometry(ToQRect(PlaceOnScreens(normal, screens)));
    if (placement && placement->bMaximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void TChillerUIForm::SavePlacement() const {
    const bool bMaximised = isMaximized();
    const QRect normal = bMaximised ? normalGeometry() : geometry();
    WriteWindowPlacement(platform::Registry().CurrentUser(), TWindowPlacement{FromQRect(normal), bMaximised});
}

void TChillerUIForm::closeEvent(QCloseEvent* pEvent) {
    if (v_closeQuery && !v_closeQuery()) {
        pEvent->ignore();
        return;
    }
    SavePlacement();
    // The page shown is the window model's choice, not kept.
    SaveWidgetState(*this, platform::Registry().CurrentUser(), PG_ChillerPages);
    QMainWindow::closeEvent(pEvent);
}

// The pages' frames exist by the first showing.
void TChillerUIForm::showEvent(QShowEvent* pEvent) {
    if (!std::exchange(v_bStateRestored, true)) {
        RestoreWidgetState(*this, platform::Registry().CurrentUser(), PG_ChillerPages);
    }
    QMainWindow::showEvent(pEvent);
}

}  // namespace brumalis::ui
