#include "widgets/SplashWnd.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>

// The display time counts only once started; a key or a mouse button closes it before.
TEST(Splash, aKeyOrAMouseButtonClosesItAtOnceAndOtherwiseItsDisplayTimeDoes) {
    QWidget main;
    const std::function<void(CSplashWnd&)> ends[] = {
        [&](CSplashWnd& splash) {
            splash.StartDisplayTimer(60000);
            QTest::keyClick(&main, Qt::Key_Escape);
            EXPECT_FALSE(splash.isVisible());
        },
        [](CSplashWnd& splash) { QTest::mousePress(&splash, Qt::LeftButton); },
        [](CSplashWnd& splash) {
            QTest::qWait(30);
            EXPECT_TRUE(splash.isVisible());
            splash.StartDisplayTimer();
            EXPECT_EQ(splash.DisplayTimeMs(), 500);
            splash.StartDisplayTimer(10);
        },
    };
    for (const auto& end : ends) {
        QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(&main);
        ASSERT_TRUE(splash);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(splash->size(), QSize(480, 280));
        end(*splash);
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 1000));
    }
}
