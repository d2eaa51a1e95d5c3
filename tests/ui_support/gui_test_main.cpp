// The main of every GUI test program: a QApplication on the offscreen
// platform (unless the caller chose another), with configuration and
// runtime folders of its own, so tests never read or write the developer's
// settings and never meet a running program's instance lock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <QtWidgets/QApplication>

namespace {

// The offscreen platform cannot hand size constraints to a window manager
// and says so for every fixed-size window; the rest of Qt's output stays.
QtMessageHandler g_pQtDefaultHandler = nullptr;

void QuietOffscreenNotices(QtMsgType nType, const QMessageLogContext& context, const QString& szMessage) {
    if (szMessage == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    if (g_pQtDefaultHandler) g_pQtDefaultHandler(nType, context, szMessage);
}

// A fresh folder (mode 0700, as a runtime folder must be) removed at exit.
class TTemporaryFolder {
public:
    explicit TTemporaryFolder(const char* szPurpose) {
        std::string szTemplate =
            (std::filesystem::temp_directory_path() / (std::string("brumalis-gui-") + szPurpose + "-XXXXXX")).string();
        if (::mkdtemp(szTemplate.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        v_path = szTemplate;
    }
    ~TTemporaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(v_path, ec);
    }
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return v_path; }

private:
    std::filesystem::path v_path;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const TTemporaryFolder config("config");
    const TTemporaryFolder runtime("runtime");
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Listing the tests (the build's test discovery) needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    g_pQtDefaultHandler = qInstallMessageHandler(QuietOffscreenNotices);
    int nResult = 0;
    {
        QApplication app(argc, argv);
        nResult = RUN_ALL_TESTS();
    }
    return nResult;
}
