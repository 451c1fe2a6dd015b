#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

// A scrolling line chart: every Advance moves the picture one step of 18 pixels to the left and
// draws each series from its previous to its current value in the new step, on a dark green
// hatch over black. The picture is kept off screen, so the chart shows its history.
class CLineChartCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStep = 18;
    static inline const QColor kHatchColour{0, 128, 0};
    static inline const QColor kBackground{192, 192, 192}; // the uncovered right-hand step

    // size is the chart's fixed client size; the off-screen picture is made at that size.
    explicit CLineChartCtrl(QSize size, QWidget* parent = nullptr);

    void AddSeries(const QColor& colour, unsigned upper, unsigned lower);
    // Clamps value into the series' bounds and makes it current; returns the previous value,
    // or 0 for a series that does not exist.
    float SetValue(int series, float value);
    void Advance();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Series {
        QColor colour;
        float lower;
        float upper;
        float current = 0.0F;
        float previous = 0.0F;
    };

    void ResetSurface();
    void DrawStep();
    void ScrollSurface();
    int Height(const Series& series, float value) const;

    std::vector<Series> series_;
    QImage surface_;
    // Alternates on every step of every chart: a vertical grid line every second step.
    static inline bool stepToggle_ = false;
};
