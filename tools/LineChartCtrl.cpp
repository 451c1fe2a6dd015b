#include "tools/LineChartCtrl.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {
constexpr int kGridLineFromRight = 10;
} // namespace

CLineChartCtrl::CLineChartCtrl(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
    setCursor(Qt::ArrowCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);
}

void CLineChartCtrl::AddSeries(const QColor& colour, unsigned upper, unsigned lower) {
    series_.push_back(Series{colour, static_cast<float>(lower), static_cast<float>(upper)});
    ResetSurface();
}

float CLineChartCtrl::SetValue(int series, float value) {
    if (series < 0 || series >= static_cast<int>(series_.size()))
        return 0.0F;
    Series& s = series_[static_cast<std::size_t>(series)];
    s.previous = s.current;
    s.current = std::clamp(value, s.lower, s.upper);
    return s.previous;
}

void CLineChartCtrl::Advance() {
    DrawStep();
    update();
}

void CLineChartCtrl::ResetSurface() {
    if (surface_.isNull()) {
        surface_ = QImage(size(), QImage::Format_RGB32);
        surface_.fill(Qt::black);
        QPainter painter(&surface_);
        painter.fillRect(surface_.rect(), QBrush(kHatchColour, Qt::CrossPattern));
    }
    update();
}

void CLineChartCtrl::DrawStep() {
    if (surface_.isNull())
        return;
    const int w = surface_.width();
    const int h = surface_.height();
    ScrollSurface();
    QPainter painter(&surface_);
    const QRect strip(w - kStep, 0, kStep, h);
    painter.fillRect(strip, Qt::black);
    painter.fillRect(strip, QBrush(kHatchColour, Qt::HorPattern));
    stepToggle_ = !stepToggle_;
    if (stepToggle_) {
        painter.setPen(kHatchColour);
        painter.drawLine(w - kGridLineFromRight, 0, w - kGridLineFromRight, h - 1);
    }
    for (const Series& s : series_) {
        painter.setPen(s.colour);
        painter.drawLine(w - kStep - 1, Height(s, s.previous), w - 1, Height(s, s.current));
    }
}

void CLineChartCtrl::ScrollSurface() {
    const int keptBytes = (surface_.width() - kStep) * static_cast<int>(sizeof(QRgb));
    const int stepBytes = kStep * static_cast<int>(sizeof(QRgb));
    for (int y = 0; y < surface_.height(); ++y) {
        uchar* line = surface_.scanLine(y);
        std::memmove(line, line + stepBytes, static_cast<std::size_t>(keptBytes));
    }
}

int CLineChartCtrl::Height(const Series& series, float value) const {
    const float range = series.upper - series.lower;
    const int bottom = surface_.height() - 1;
    if (range <= 0.0F)
        return bottom;
    // Measured down from the top by the value itself, as the chart always has (the same as the
    // distance from the lower bound for a series that starts at 0). The lower bound 0 would
    // fall on the row below the picture; it is drawn on the bottom row, so a ramp at rest shows.
    const float y = static_cast<float>(surface_.height()) * (range - value) / range;
    return std::min(static_cast<int>(y), bottom);
}

void CLineChartCtrl::paintEvent(QPaintEvent*) {
    // The picture is shown one step further left than it is held; the right-hand step of the
    // chart stays background.
    if (surface_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), surface_,
                      QRect(kStep, 0, surface_.width() - kStep, surface_.height()));
}
