#include "widgets/ProgramArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSplashWidth = 480;
constexpr int kSplashHeight = 280;
constexpr int kIconSize = 64;

// A handset with its antenna and three wave arcs, drawn into the square box.
void DrawHandset(QPainter& painter, const QRectF& box, const QColor& colour) {
    const qreal unit = box.width() / 16.0;
    const QRectF body(box.left() + 4 * unit, box.top() + 5 * unit, 6 * unit, 10.5 * unit);
    painter.setPen(QPen(colour, unit * 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, unit, unit);
    painter.drawRect(QRectF(body.left() + unit, body.top() + unit, 4 * unit, 3.5 * unit));
    painter.drawLine(QPointF(body.right() - unit, body.top()),
                     QPointF(body.right() - unit, box.top() + 2 * unit));
    const QPointF tip(body.right() - unit, box.top() + 2 * unit);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 1.5 * unit * i;
        painter.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

} // namespace

QPixmap SplashPicture() {
    QPixmap picture(kSplashWidth, kSplashHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kSplashHeight);
    sky.setColorAt(0, QColor(12, 36, 84));
    sky.setColorAt(1, QColor(24, 96, 150));
    painter.fillRect(picture.rect(), sky);
    DrawHandset(painter, QRectF(24, 40, 200, 200), QColor(230, 240, 255));

    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPixelSize(34);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(210, 70, 260, 90), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("RF CALIBRATION"));
    QFont subtitle = title;
    subtitle.setPixelSize(18);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.drawText(QRectF(210, 170, 260, 30), Qt::AlignLeft, QStringLiteral("QM310 / QT310"));
    painter.drawText(QRectF(210, 200, 260, 30), Qt::AlignLeft, QStringLiteral("V1.4"));
    painter.setPen(QPen(QColor(230, 240, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(picture.rect().adjusted(1, 1, -2, -2));
    return picture;
}

QIcon ProgramIcon() {
    QPixmap icon(kIconSize, kIconSize);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 96, 150));
    painter.drawRoundedRect(QRectF(0, 0, kIconSize, kIconSize), 10, 10);
    DrawHandset(painter, QRectF(0, 0, kIconSize, kIconSize), Qt::white);
    return QIcon(icon);
}
