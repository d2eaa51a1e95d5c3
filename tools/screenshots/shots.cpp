#include "tools/screenshots/shots.h"

#include <iostream>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include "catalogue/unit_classes.h"
#include "workflow/desktop_start.h"
#include "workflow/settings_page.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"

namespace brumalis::shots {
namespace {

bool OneColour(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0)) return false;
        }
    }
    return true;
}

}  // namespace

bool CTShots::Take(QWidget& window, const std::string& szName) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return Fail(szName, "the window was never shown");
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    const std::filesystem::path file = v_folder / (szName + ".png");
    if (!picture.save(QString::fromStdString(file.string()), "PNG")) return Fail(szName, "cannot be written");
    const QImage saved(QString::fromStdString(file.string()));
    const QSize expected = window.size() * window.devicePixelRatioF();
    if (saved.size() != expected) return Fail(szName, "has another size than the window");
    if (OneColour(saved)) return Fail(szName, "is of one colour: nothing was drawn");
    std::cout << file.string() << ": " << saved.width() << "x" << saved.height() << '\n';
    ++v_taken;
    return true;
}

bool CTShots::Fail(const std::string& szName, const char* szWhy) {
    std::cerr << szName << ": " << szWhy << '\n';
    ++v_failed;
    return false;
}

TSettingsPage& Run350kWCooling(TScene& scene) {
    TSettingsPage& settings = ui::SharedSettingsPage(scene.window, scene.start.Program().Session());
    settings.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
    settings.Panel().TypeValue(TPanelEntry::CoolCapacity, "350");
    settings.MakeSelection(false);
    return settings;
}

Cls_ChOutdoorUnit* FirstUnit(const TMainSession& session, std::int32_t nCondenser, std::int32_t nFamily) {
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        if (pUnit->GetCondenserType() == nCondenser && (nFamily == 0 || pUnit->GetFamily() == nFamily)) return pUnit;
    }
    return nullptr;
}

}  // namespace brumalis::shots
