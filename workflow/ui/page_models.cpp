#include "workflow/ui/page_models.h"

#include <QObject>
#include <QWidget>
#include <memory>

namespace brumalis::ui {
namespace {

// Ties a model's life to the window's; found again by its name.
template <class TModel>
class TModelHolder final : public QObject {
public:
    TModelHolder(QWidget& window, const char* szName, std::unique_ptr<TModel> pModel)
        : QObject(&window), v_pModel(std::move(pModel)) {
        setObjectName(QString::fromLatin1(szName));
    }
    TModel& Model() { return *v_pModel; }

private:
    std::unique_ptr<TModel> v_pModel;
};

template <class TModel>
TModelHolder<TModel>* FindHolder(QWidget& window, const char* szName) {
    return dynamic_cast<TModelHolder<TModel>*>(
        window.findChild<QObject*>(QString::fromLatin1(szName), Qt::FindDirectChildrenOnly));
}

// The Settings model with the message its set-up answered.
struct TSetUpSettings {
    explicit TSetUpSettings(TMainSession& session) : Page(session), nSetupMessage(Page.SetupWindow()) {}
    TSettingsPage Page;
    int nSetupMessage;
};

constexpr const char* kSettingsName = "SettingsPageModel";
constexpr const char* kBasketName = "BasketPageModel";
constexpr const char* kJumpName = "ChillersJump";

}  // namespace

TSharedSettings SharedSettings(QWidget& window, TMainSession& session) {
    auto* pHolder = FindHolder<TSetUpSettings>(window, kSettingsName);
    if (!pHolder) {
        pHolder = new TModelHolder<TSetUpSettings>(window, kSettingsName, std::make_unique<TSetUpSettings>(session));
    }
    return {pHolder->Model().Page, pHolder->Model().nSetupMessage};
}

TBasketPage& SharedBasketPage(QWidget& window, TMainSession& session) {
    auto* pHolder = FindHolder<TBasketPage>(window, kBasketName);
    if (!pHolder) pHolder = new TModelHolder<TBasketPage>(window, kBasketName, std::make_unique<TBasketPage>(session));
    return pHolder->Model();
}

void SetChillersJump(QWidget& window, TChillersJump jump) {
    if (auto* pHolder = FindHolder<TChillersJump>(window, kJumpName)) {
        pHolder->Model() = std::move(jump);
        return;
    }
    new TModelHolder<TChillersJump>(window, kJumpName, std::make_unique<TChillersJump>(std::move(jump)));
}

void JumpToChillers(QWidget& window, Cls_ChOutdoorUnit& Unit) {
    auto* pHolder = FindHolder<TChillersJump>(window, kJumpName);
    if (pHolder && pHolder->Model()) pHolder->Model()(Unit);
}

}  // namespace brumalis::ui
