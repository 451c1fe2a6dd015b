#pragma once

#include <QWidget>

// The picture across the top of the calibration window: the station's handset and its name on
// a band of sky, drawn to the window's width.
class CalibrationBanner : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 56;

    explicit CalibrationBanner(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {640, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
