#include "shell/MainFrm.h"
#include "shell/Rftune.h"
#include "widgets/SplashWnd.h"

#include <QApplication>
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

// The waits are an hour: only what the test does ends them within ctest's time-out.
constexpr int kHourMs = 3600 * 1000;

TEST(Startup, aKeyDuringTheWaitClosesTheSplashAndEndsTheWait) {
    CRftuneApp app({.splash = true, .startupWaitMs = kHourMs});
    bool splashSeen = false;
    QTimer::singleShot(50, [&] {
        splashSeen = SplashShown();
        QWidget anyWindow;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(&anyWindow, &key);
    });
    app.InitInstance();
    EXPECT_TRUE(splashSeen);
    EXPECT_FALSE(SplashShown());
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
}

TEST(Startup, withoutTheSplashTheMainWindowComesAtOnce) {
    CRftuneApp app({.splash = false, .startupWaitMs = kHourMs});
    app.InitInstance();
    EXPECT_FALSE(SplashShown());
    EXPECT_TRUE(app.MainFrame()->isVisible());
}
