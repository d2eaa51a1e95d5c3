// The first-run actions as the desktop program's last start-up step, over
// the real main window and a settings file of the test's own: the welcome
// hint of a plain start, the choice that hides it, the start with a
// parameter, the disclaimer of a version's first start and the counter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>

#include "../platform/process_fixture.h"
#include "online/ui/upgrade_hint_window.h"
#include "platform/settings_store.h"
#include "tests/ui_support/gui_test_support.h"
#include "workflow/first_run_actions.h"
#include "workflow/ui/first_run_step.h"

namespace brumalis::ui {
namespace {

using platform::testing::CTPrivateFolder;

std::string FileText(const std::string& szPath) {
    std::ifstream in(szPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class FirstRunStep : public ::testing::Test {
protected:
    void SetUp() override { setenv("BRUMALIS_LANGUAGE", "en", 1); }
    void TearDown() override { unsetenv("BRUMALIS_LANGUAGE"); }

    // One start of the program; answers whether the window is to run. Every
    // modal window that shows is recorded by its object name and closed
    // through its own script or, without one, cancelled.
    bool Start(platform::TParameters params, std::function<void(QWidget*)> script = {}) {
        // A fresh store reads the file as the next process would.
        platform::CTRegistry registry(std::make_shared<platform::CTFileSettingsStore>(SettingsFile(), false),
                                      std::make_shared<platform::CTMemorySettingsStore>(true));
        const platform::CTRegistrySubstitute use(registry);
        TQtDesktopPresenter presenter;
        TDesktopStart start(params, presenter);
        AddFirstRunStep(start, presenter, params,
                        {[this](QWidget* pOwner) { disclaimers.push_back(pOwner != nullptr); }, {}});
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (pModal == nullptr || !pModal->isVisible()) return;
            modals.push_back(pModal->objectName().toStdString());
            if (script) {
                script(pModal);
            } else {
                pModal->close();
            }
        });
        watch.start(20);
        const TDesktopOutcome outcome = start.Start();
        EXPECT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
        return outcome.bRunLoop;
    }
    std::string SettingsFile() const { return settings / "registry.ini"; }

    CTPrivateFolder settings;
    CTPrivateFolder runtime;
    platform::testing::CTScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.Path().string()};
    std::vector<std::string> modals;
    std::vector<bool> disclaimers;
};

TEST_F(FirstRunStep, APlainStartShowsTheHintUntilUntickedAndAParameterNeverDoes) {
    ASSERT_TRUE(Start({}, [](QWidget* pWindow) {
        auto* pHint = qobject_cast<online::ui::TFrmAutoUpgradeHint*>(pWindow);
        ASSERT_NE(pHint, nullptr);
        EXPECT_TRUE(pHint->ShowAtStartup()->isChecked());
        // Over the main window, which is not shown yet.
        EXPECT_NE(pHint->parentWidget(), nullptr);
        pHint->ShowAtStartup()->setChecked(false);
        pHint->Btn_OKClick();
    }));
    EXPECT_EQ(modals, std::vector<std::string>{"FrmAutoUpgradeHint"});
    // The first start of this version shows the disclaimer, over the window.
    EXPECT_EQ(disclaimers, std::vector<bool>{true});
    modals.clear();
    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(modals.empty());
    EXPECT_EQ(disclaimers.size(), 1U);

    // Ticked again, a start with a project parameter still shows nothing.
    {
        platform::CTFileSettingsStore store(SettingsFile(), false);
        store.WriteBool(std::string(kProgramRegistryRoot), "UpdateHint", true);
    }
    ASSERT_TRUE(Start({settings / "Hotel.cpf"}));
    EXPECT_TRUE(modals.empty());
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(modals, std::vector<std::string>{"FrmAutoUpgradeHint"});
}

TEST_F(FirstRunStep, APlainStartWritesTheEntriesAndASecondOnlyCountsOnInTheSameFile) {
    {
        platform::CTFileSettingsStore store(SettingsFile(), false);
        store.WriteBool(std::string(kProgramRegistryRoot), "UpdateHint", false);
    }
    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(modals.empty());
    const std::string szKey = std::string(kProgramRegistryRoot) + "\\Version";
    // The catalogue's data version follows the program's version string.
    const std::string szVersionPart = RunCountIdentifier("");
    {
        platform::CTFileSettingsStore store(SettingsFile(), true);
        const std::string szName = store.ReadString(szKey, "Name", "");
        EXPECT_EQ(szName.rfind(szVersionPart, 0), 0U) << szName;
        EXPECT_GT(szName.size(), szVersionPart.size()) << szName;
        EXPECT_EQ(store.ReadInteger(szKey, "Used", 0), 1);
    }
    const std::string szFirst = FileText(SettingsFile());
    const auto folderEntries = [this] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(settings.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    };
    const std::vector<std::string> namesAfterFirst = folderEntries();
    ASSERT_TRUE(Start({}));
    std::string szExpected = szFirst;
    const std::size_t at = szExpected.find("Used=int:1");
    ASSERT_NE(at, std::string::npos) << szFirst;
    szExpected.replace(at, 10, "Used=int:2");
    EXPECT_EQ(FileText(SettingsFile()), szExpected);
    EXPECT_EQ(folderEntries(), namesAfterFirst);
    EXPECT_EQ(disclaimers.size(), 1U);
}

}  // namespace
}  // namespace brumalis::ui
