// The about box: the program's name, version, language and catalogue, the
// distributor's block with its links, the two fixed links and the credits.
// Every text and what shows comes from the GUI-free content; links, the
// terms and the upgrade go out through callbacks, so tests answer them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialogs/about_captions.h"
#include "dialogs/ui/basic_dialog.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace brumalis::platform::ui {

struct TAboutBoxCallbacks {
    // Shows the terms again, owned by the about box; empty: no "Disclaimer...".
    std::function<void(QWidget* pAboutBox)> Disclaimer;
    // Opens an "http://" or "mailto:" target on the desktop.
    std::function<bool(std::string_view szTarget)> ShellOpen;
    // Opens the upgrade dialog, owned by the about box; empty: "Upgrade..."
    // stays disabled.
    std::function<void(QWidget* pAboutBox)> Upgrade;
};

class TFrm_AboutBox : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    static constexpr const char* kDisclaimerHint = "Show the general terms";
    static constexpr const char* kUpgradeHint = "Look for a newer version of the program";
    // The window's own texts beyond the content's.
    static std::vector<std::string> Texts() { return {kDisclaimerHint, kUpgradeHint}; }

    // szDataVersion: the catalogue's data version, a blank and the
    // configuration name.
    TFrm_AboutBox(QWidget* pOwner, bool bReadOnly, TAboutBoxCallbacks callbacks, std::string_view szDataVersion,
                  int nTitleID = dialogs::TAboutBox::kMsgProgramName);

    // A link of the box: its label, with the icon beside it when it has one.
    struct TLink {
        QLabel* Label = nullptr;
        QToolButton* Icon = nullptr;
    };

    QLabel* Img_ProgramIcon = nullptr;
    QLabel* Lbl_ProductName = nullptr;
    QLabel* Lbl_Version = nullptr;
    QLabel* Lbl_Language = nullptr;
    QLabel* Lbl_DataVersion = nullptr;
    QLabel* Lbl_VersionAndConfig = nullptr;
    std::array<QLabel*, 3> Lbl_Distrib{};
    QLabel* Lbl_DistribTel = nullptr;
    TLink WWWDistrib;
    TLink MailDistrib;
    std::array<TLink, 2> FixedLinks{};
    QPushButton* Btn_License = nullptr;
    QPushButton* Btn_Update = nullptr;
    QPushButton* Btn_OK = nullptr;

protected:
    // A click on a link label opens its target.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void AddHeader(const dialogs::TAboutBoxContent& content);
    void AddDistributor(const dialogs::TAboutBoxContent& content);
    void AddLinksAndCredits(const dialogs::TAboutBoxContent& content);
    void AddButtons(const dialogs::TAboutBoxContent& content);
    QLabel* AddCentredLabel(QWidget* pPanel, const char* szName, const dialogs::TAboutLabel& label);
    TLink AddLink(QWidget* pPanel, const char* szName, const dialogs::TAboutLabel& label, const char* szIconSvg);
    void Open(const std::string& szTarget) const;

    TAboutBoxCallbacks v_callbacks;
};

}  // namespace brumalis::platform::ui
