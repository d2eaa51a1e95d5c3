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

private:
    std::unique_ptr<TSettingsPage> v_page;
};

}  // namespace

TSettingsPage& SharedSettingsPage(QWidget& window, TMainSession& session) {
    auto* pHolder = dynamic_cast<TSettingsModelHolder*>(
        window.findChild<QObject*>(QString::fromLatin1(kHolderName), Qt::FindDirectChildrenOnly));
    if (pHolder) return pHolder->Page();
    pHolder = new TSettingsModelHolder(window, session);
    // A catalogue without selectable units is the Settings page's to report.
    pHolder->Page().SetupWindow();
    return pHolder->Page();
}

}  // namespace brumalis::ui
