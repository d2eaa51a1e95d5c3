#include "workflow/ui/analysis_lights.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

#include "workflow/ui/named_widget.h"

namespace brumalis::ui {
namespace {

// A lamp from the top down: red, yellow, green; lit, then dark.
struct TLamp {
    int nLight;  // the light that lights it
    int nCentreY;
    const char* szLit;
    const char* szGlow;
    const char* szDark;
};
constexpr TLamp kLamps[] = {
    {2, 14, "#e53935", "#ffcdd2", "#4a2323"},
    {1, 36, "#fbc02d", "#fff9c4", "#4a4323"},
    {0, 58, "#43a047", "#c8e6c9", "#234a2a"},
};

}  // namespace

QByteArray TrafficLightSvg(int nLight) {
    QByteArray svg(R"(<svg xmlns="http://www.w3.org/2000/svg" width="28" height="72" viewBox="0 0 28 72"><defs>)");
    for (const TLamp& lamp : kLamps) {
        svg += QStringLiteral(R"(<radialGradient id="g%1" cx="0.4" cy="0.35" r="0.7">)"
                              R"(<stop offset="0" stop-color="%2"/><stop offset="1" stop-color="%3"/></radialGradient>)")
                   .arg(lamp.nLight)
                   .arg(QLatin1String(lamp.szGlow), QLatin1String(lamp.szLit))
                   .toLatin1();
    }
    svg += R"(</defs><rect x="1" y="1" width="26" height="70" rx="7" fill="#2e3338" stroke="#15181b" stroke-width="2"/>)";
    for (const TLamp& lamp : kLamps) {
        const QString fill = lamp.nLight == nLight ? QStringLiteral("url(#g%1)").arg(lamp.nLight)
                                                   : QString::fromLatin1(lamp.szDark);
        svg += QStringLiteral(R"(<circle cx="14" cy="%1" r="8.5" fill="%2" stroke="#101214" stroke-width="1"/>)")
                   .arg(lamp.nCentreY)
                   .arg(fill)
                   .toLatin1();
    }
    return svg + "</svg>";
}

TSvgPicture::TSvgPicture(const QByteArray& svg, QWidget* pParent)
    : QWidget(pParent), v_renderer(new QSvgRenderer(svg, this)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TSvgPicture::sizeHint() const { return v_renderer->defaultSize(); }

void TSvgPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Kept in proportion, centred in whatever room the layout gives.
    const QSizeF picture = QSizeF(v_renderer->defaultSize()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    v_renderer->render(&painter, QRectF(QPointF((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                                        picture));
}

TAnalysisLights::TAnalysisLights(QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("Pnl_Lights"));
    auto* pSpot = new QWidget(this);
    pSpot->setObjectName(QStringLiteral("Pnl_LightSpot"));
    Img_GreenLight = Named(new TSvgPicture(TrafficLightSvg(0), pSpot), "Img_GreenLight");
    Img_YellowLight = Named(new TSvgPicture(TrafficLightSvg(1), pSpot), "Img_YellowLight");
    Img_RedLight = Named(new TSvgPicture(TrafficLightSvg(2), pSpot), "Img_RedLight");
    v_lights = {Img_GreenLight, Img_YellowLight, Img_RedLight};
    // All three in one cell: the spot keeps its room when none is shown.
    auto* pSpotLayout = new QGridLayout(pSpot);
    pSpotLayout->setContentsMargins(0, 0, 0, 0);
    for (TSvgPicture* pLight : v_lights) pSpotLayout->addWidget(pLight, 0, 0);
    pSpot->setFixedSize(Img_GreenLight->sizeHint());
    Lbl_Light = Named(new QLabel(this), "Lbl_Light");
    Lbl_Light->setWordWrap(true);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pSpot);
    pLayout->addWidget(Lbl_Light, 1);
    Show(-1, {});
}

void TAnalysisLights::Show(int nLight, const QString& text) {
    for (int i = 0; i < kLightCount; ++i) v_lights[static_cast<std::size_t>(i)]->setVisible(i == nLight);
    Lbl_Light->setText(text);
}

int TAnalysisLights::ShownLight() const {
    for (int i = 0; i < kLightCount; ++i) {
        if (!v_lights[static_cast<std::size_t>(i)]->isHidden()) return i;
    }
    return -1;
}

}  // namespace brumalis::ui
