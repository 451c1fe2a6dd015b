#include "widgets/Label.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

constexpr int kFastBlinkMs = 20;

// Collects the texts the label shows, one per blink tick.
QStringList TextsOverTicks(CLabel& label, int ticks) {
    QStringList seen;
    for (int i = 0; i < ticks; ++i) {
        const QString before = label.text();
        if (!QTest::qWaitFor([&] { return label.text() != before; }, 1000))
            break;
        seen << label.text();
    }
    return seen;
}

QColor FillAt(CLabel& label) {
    return label.grab().toImage().pixelColor(label.width() / 2, 2);
}

// Stands in for the desktop's handler of web addresses.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

TEST(Label, textBlinkingStartsWithTheEmptyTextAndStoppingShowsTheTextAgain) {
    CLabel label;
    EXPECT_EQ(label.BlinkPeriodMs(), 500);
    label.SetText("READY");
    label.SetBlinkPeriodMs(kFastBlinkMs);
    label.FlashText(true);
    EXPECT_EQ(label.text(), "READY");
    EXPECT_EQ(TextsOverTicks(label, 3), (QStringList{"", "READY", ""}));
    label.FlashText(false);
    EXPECT_EQ(label.text(), "READY");
    EXPECT_FALSE(label.IsBlinking());
}

TEST(Label, switchingFromTextToBackgroundBlinkingNeverLeavesTheTextHidden) {
    CLabel label;
    label.SetText("FAIL").SetBlinkPeriodMs(kFastBlinkMs);
    label.FlashText(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return label.text().isEmpty(); }, 1000));
    label.FlashBackground(true);
    EXPECT_EQ(label.text(), "FAIL");
    // And a later text blinking stop must not bring back the old saved text.
    label.SetText("PASS");
    label.FlashText(false);
    EXPECT_EQ(label.text(), "PASS");
}

TEST(Label, backgroundBlinkingAlternatesTheFillStartingWithTheAlternateBrush) {
    CLabel label;
    label.resize(80, 30);
    label.SetBkColor(Qt::red).SetBlinkPeriodMs(kFastBlinkMs);
    const QColor face = label.palette().color(QPalette::Button);
    EXPECT_EQ(FillAt(label), QColor(Qt::red));
    label.FlashBackground(true);
    EXPECT_EQ(FillAt(label), face);
    EXPECT_TRUE(QTest::qWaitFor([&] { return FillAt(label) == QColor(Qt::red); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return FillAt(label) == face; }, 1000));
    label.FlashBackground(false);
    EXPECT_EQ(FillAt(label), QColor(Qt::red));
}

TEST(Label, fontSizeThenBoldGivesABoldFontOfThatCharacterHeight) {
    CLabel label;
    label.SetFontSize(12).SetFontBold(true);
    EXPECT_EQ(label.font().pixelSize(), 12);
    EXPECT_EQ(label.font().weight(), QFont::Bold);
    label.SetFontBold(false).SetFontItalic(true);
    EXPECT_EQ(label.font().weight(), QFont::Normal);
    EXPECT_EQ(label.font().pixelSize(), 12);
}

TEST(Label, aClickOpensTheTextWithTheDesktopHandlerOnlyInLinkMode) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    CLabel label;
    label.resize(200, 30);
    label.SetText("www.example.com");
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(recorder.opened.isEmpty());
    label.SetLink(true).SetLinkCursor(Qt::PointingHandCursor);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl("http://www.example.com")});
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    QDesktopServices::unsetUrlHandler("http");
}

#include "test_label.moc"
