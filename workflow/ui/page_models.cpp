#include "workflow/ui/page_models.h"

#include <memory>

namespace brumalis::ui {
namespace {

constexpr const char* kHolderName = "SettingsPageModel";

// Ties the model's life to the window's.
class TSettingsModelHolder final : public QObject {
public:
    TSettingsModelHolder(QWidget& window, TMainSession& session)
        : QObject(&window), v_page(std::make_unique<TSettingsPage>(session)) {
        setObjectName(QString::fromLatin1(kHolderName));
    }
    TSettingsPage& Page() { return *v_page; }
    int SetupMessage() const { return v_nSetupMessage; }
    void SetUp() { v_nSetupMessage = v_page->SetupWindow(); }

private:
    std::unique_ptr<TSettingsPage> v_page;
    int v_nSetupMessage = 0;
};

}  // namespace

TSharedSettings SharedSettings(QWidget& window, TMainSession& session) {
    auto* pHolder = dynamic_cast<TSettingsModelHolder*>(
        window.findChild<QObject*>(QString::fromLatin1(kHolderName), Qt::FindDirectChildrenOnly));
    if (!pHolder) {
        pHolder = new TSettingsModelHolder(window, session);
        pHolder->SetUp();
    }
    return {pHolder->Page(), pHolder->SetupMessage()};
}

}  // namespace brumalis::ui
