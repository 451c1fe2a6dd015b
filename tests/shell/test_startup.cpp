#include "shell/MainFrm.h"
#include "shell/Rftune.h"
#include "widgets/SplashWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool SplashShown() {
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<const CSplashWnd*>(w) && w->isVisible())
            return true;
    }
    return false;
}

} // namespace

TEST(Startup, aKeyDuringTheWaitClosesTheSplashAndEndsTheWait) {
    CRftuneApp app({.splash = true, .startupWaitMs = 20000});
    bool splashSeen = false;
    QTimer::singleShot(50, [&] {
        splashSeen = SplashShown();
        QWidget anyWindow;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(&anyWindow, &key);
    });
    QElapsedTimer clock;
    clock.start();
    app.InitInstance();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(splashSeen);
    EXPECT_FALSE(SplashShown());
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
}

TEST(Startup, withoutTheSplashTheMainWindowComesAtOnce) {
    CRftuneApp app({.splash = false});
    QElapsedTimer clock;
    clock.start();
    app.InitInstance();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(SplashShown());
    EXPECT_TRUE(app.MainFrame()->isVisible());
}
