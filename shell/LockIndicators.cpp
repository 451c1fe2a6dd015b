#include "shell/LockIndicators.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

// X11 core protocol modifier bits: LockMask, and Mod2Mask which the usual keymaps bind to Num Lock.
constexpr quint32 kX11LockMask = 1u << 1;
constexpr quint32 kX11NumLockMask = 1u << 4;

QLabel* AddIndicator(QStatusBar& statusBar, const QString& text) {
    auto* label = new QLabel(text, &statusBar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar.addPermanentWidget(label);
    return label;
}

} // namespace

LockIndicators::LockIndicators(QStatusBar& statusBar)
    : QObject(&statusBar), x11_(QGuiApplication::platformName() == QLatin1String("xcb")),
      capsLabel_(AddIndicator(statusBar, QStringLiteral("CAP"))),
      numLabel_(AddIndicator(statusBar, QStringLiteral("NUM"))),
      scrollLabel_(AddIndicator(statusBar, QStringLiteral("SCRL"))) {
    qApp->installEventFilter(this);
    Show();
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
    // Each key event reaches the filter once per receiver it propagates to; only the window's
    // own copy counts.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWindowType())
        Follow(*static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

void LockIndicators::Follow(const QKeyEvent& key) {
    const bool press = key.type() == QEvent::KeyPress && !key.isAutoRepeat();
    if (x11_) {
        caps_ = (key.nativeModifiers() & kX11LockMask) != 0;
        num_ = (key.nativeModifiers() & kX11NumLockMask) != 0;
    } else if (press && key.key() == Qt::Key_CapsLock) {
        caps_ = !caps_;
    } else if (press && key.key() == Qt::Key_NumLock) {
        num_ = !num_;
    }
    if (press && key.key() == Qt::Key_ScrollLock)
        scroll_ = !scroll_;
    Show();
}

void LockIndicators::Show() {
    capsLabel_->setEnabled(caps_);
    numLabel_->setEnabled(num_);
    scrollLabel_->setEnabled(scroll_);
}
