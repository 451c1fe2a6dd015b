#include "widgets/SplashWnd.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(Splash, aKeyPressClosesItAtOnce) {
    QWidget main;
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(&main);
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(480, 280));
    splash->StartDisplayTimer(60000);
    QTest::keyClick(&main, Qt::Key_Escape);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 1000));
}

TEST(Splash, aMouseButtonPressClosesIt) {
    QWidget main;
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(&main);
    QTest::mousePress(splash, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 1000));
}

TEST(Splash, itClosesItselfWhenTheDisplayTimeIsOver) {
    QWidget main;
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(&main);
    QTest::qWait(30);
    EXPECT_TRUE(splash) << "the display time counts only once started";
    splash->StartDisplayTimer();
    EXPECT_EQ(splash->DisplayTimeMs(), 500);
    splash->StartDisplayTimer(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 1000));
}
