#include "autocal/window/CalibrationBanner.h"

#include "widgets/ProgramArt.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int kMargin = 4;
} // namespace

CalibrationBanner::CalibrationBanner(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CalibrationBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width(), 0);
    sky.setColorAt(0, QColor(12, 36, 84));
    sky.setColorAt(1, QColor(24, 96, 150));
    painter.fillRect(rect(), sky);
    const int iconSize = kHeight - 2 * kMargin;
    painter.drawPixmap(kMargin, kMargin, ProgramIcon().pixmap(iconSize, iconSize));

    QFont title = font();
    title.setPixelSize(kHeight / 2);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRect text = rect().adjusted(iconSize + 4 * kMargin, 0, -4 * kMargin, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RF CALIBRATION"));
    title.setPixelSize(kHeight / 3);
    title.setBold(false);
    painter.setFont(title);
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("QM310 / QT310   GSM 900 / DCS 1800"));
}
