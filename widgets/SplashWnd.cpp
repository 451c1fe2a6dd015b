#include "widgets/SplashWnd.h"

#include "widgets/ProgramArt.h"
#include "widgets/ShellLog.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

QPointer<CSplashWnd> CSplashWnd::ShowSplashScreen(QWidget* mainWindow) {
    const QPixmap picture = SplashPicture();
    if (picture.isNull()) {
        qCWarning(lcShell) << "Could not draw the splash picture";
        return nullptr;
    }
    auto* splash = new CSplashWnd(picture, mainWindow);
    splash->show();
    splash->repaint();
    return splash;
}

CSplashWnd::CSplashWnd(const QPixmap& picture, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture), mainWindow_(mainWindow) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.deviceIndependentSize().toSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::HideSplashWindow);
    qApp->installEventFilter(this);
}

void CSplashWnd::StartDisplayTimer(int ms) {
    timer_.start(ms);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        HideSplashWindow();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void CSplashWnd::HideSplashWindow() {
    timer_.stop();
    qApp->removeEventFilter(this);
    if (mainWindow_)
        mainWindow_->update();
    close();
}
