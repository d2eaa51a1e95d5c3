// The analysis's traffic light: three pictures of one lamp housing (green,
// yellow or red lit) on one spot, at most one of them shown, and the
// light's text beside them. The pictures are our own SVG drawings.
#pragma once

#include <array>

#include <QByteArray>
#include <QWidget>

class QLabel;
class QSvgRenderer;

namespace brumalis::ui {

// A picture from SVG text, drawn at whatever size and scale it is shown.
class TSvgPicture final : public QWidget {
public:
    TSvgPicture(const QByteArray& svg, QWidget* pParent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QSvgRenderer* v_renderer;
};

class TAnalysisLights final : public QWidget {
    Q_OBJECT

public:
    // The lights in the order of their numbers: green, yellow, red.
    static constexpr int kLightCount = 3;

    explicit TAnalysisLights(QWidget* pParent);

    // nLight: 0 green, 1 yellow, 2 red; any other number shows none.
    void Show(int nLight, const QString& text);
    // The light shown, -1 when none is.
    int ShownLight() const;

    TSvgPicture* Img_GreenLight = nullptr;
    TSvgPicture* Img_YellowLight = nullptr;
    TSvgPicture* Img_RedLight = nullptr;
    QLabel* Lbl_Light = nullptr;

private:
    std::array<TSvgPicture*, kLightCount> v_lights{};
};

// The housing with the lamp of light nLight (0 green, 1 yellow, 2 red) lit.
QByteArray TrafficLightSvg(int nLight);

}  // namespace brumalis::ui
