// A stand-in for the program in the end-to-end test of the upgrade. Copied
// into place as the program file E, it is started twice:
//
//   driver upgrade ENDPOINT KEYHEX STAGINGBASE
//       holds the "Brumalis" lock like the program, checks server 10 at
//       ENDPOINT, downloads the first version offered, hands over to the
//       updater and ends;
//   driver            (as the updater restarts it)
//       takes the lock and writes "restarted" into $BRUMALIS_TEST_MARKER.
//
// With $BRUMALIS_TEST_REMOVE_NEW set, it removes the new program file just
// before it ends, so that the updater finds nothing to install.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "online/auto_upgrade.h"
#include "online/upgrade_signature.h"
#include "online/zorbit_config.h"
#include "platform/instance_lock.h"
#include "platform/settings_store.h"

namespace {

using namespace brumalis;
using namespace brumalis::online;

class CTConsoleView : public CTUpgradeView {
public:
    explicit CTConsoleView(std::string szStagingBase) : v_szStagingBase(std::move(szStagingBase)) {}

    void ShowMessage(TUpgradeMessageKind, const std::string& szText) override { std::cerr << szText << '\n'; }
    bool AskYesNo(const std::string&) override { return true; }
    bool ShowNotice(const std::string&, const std::vector<TNoticeParagraph>&) override { return true; }
    void FillList(const std::vector<TUpgradeListItem>& items) override { v_nItems = items.size(); }
    void SetDownloadEnabled(bool) override {}
    void SetProgressCaption(const std::string&) override {}
    void SetProgressPosition(int) override {}
    void ShowProgress(bool) override {}
    void CloseWithCancel() override {}
    void EndProgram() override {
        if (std::getenv("BRUMALIS_TEST_REMOVE_NEW") != nullptr) RemoveNewProgram();
        v_bEnded = true;
    }

    std::size_t v_nItems = 0;
    bool v_bEnded = false;

private:
    void RemoveNewProgram() const {
        for (const auto& folder : std::filesystem::directory_iterator(v_szStagingBase))
            std::filesystem::remove(folder.path() / "Brumalis");
    }

    std::string v_szStagingBase;
};

int Restarted() {
    const platform::CTInstanceGuard lock = platform::CreateGlobalMutex("Brumalis");
    const char* szMarker = std::getenv("BRUMALIS_TEST_MARKER");
    if (szMarker == nullptr) return 3;
    std::ofstream(szMarker) << "restarted" << (lock.State() == platform::TInstanceState::Owned ? " with the lock" : "");
    return 0;
}

int Upgrade(const std::string& szEndpoint, const std::string& szKeyHex, const std::string& szStagingBase) {
    const platform::CTInstanceGuard lock = platform::CreateGlobalMutex("Brumalis");
    auto pMachine = std::make_shared<platform::CTMemorySettingsStore>();
    pMachine->WriteString(CTZorbitConfig::kOverrideKey, "Server10", szEndpoint);
    platform::CTRegistry registry(std::make_shared<platform::CTMemorySettingsStore>(), pMachine);
    const platform::CTRegistrySubstitute use(registry);

    TUpgradeEnvironment env = TUpgradeEnvironment::Running();
    env.nVersion = 334;
    env.szSuffix.clear();
    env.nLanguage = 1033;
    env.szConfig.clear();
    env.nServer = 10;
    env.szDataVersion = "EU 3.3.4";
    env.publicKeys = {FromHex(szKeyHex).value_or("")};
    env.szStagingBase = szStagingBase;
    env.usageCount = [] { return 3; };

    CTConsoleView view(szStagingBase);
    TFrmAutoUpgrade frame(view, env);
    frame.InitializeFrame(false);
    frame.Btn_CheckVersionsClick();
    if (view.v_nItems == 0) return 4;
    frame.Lvw_AvailableClick(0);
    frame.Btn_DownloadClick();
    return view.v_bEnded ? 0 : 5;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) return Restarted();
    if (argc == 5 && std::string(argv[1]) == "upgrade") return Upgrade(argv[2], argv[3], argv[4]);
    return 2;
}
