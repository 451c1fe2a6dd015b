#include "link/LinkTexts.h"
#include "link/ManualSession.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessageSink.h"
#include "tools/ManualCalDlg.h"
#include "widgets/History.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kShortReplyTimeoutMs = 150;

class ManualCalDlgTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
        dialog.Session().Link().SetReplyTimeoutMs(kShortReplyTimeoutMs);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void TypeAndEnter(const QString& line) {
        QTest::keyClicks(&dialog.Input(), line);
        QTest::keyClick(&dialog.Input(), Qt::Key_Return);
    }
    QString Shown() { return dialog.Display().toPlainText(); }
    bool WaitForShown(const QString& text) {
        return QTest::qWaitFor([&] { return Shown() == text; }, 3000);
    }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    PtyPair pty;
    FakeTarget target{pty};
    CComm comm;
    CManualCalDlg dialog{comm};
};

} // namespace

TEST_F(ManualCalDlgTest, enterSendsTheLineOnceEchoesItAndEmptiesTheInput) {
    TypeAndEnter("se 6");
    EXPECT_EQ(Shown(), "se 6");
    EXPECT_TRUE(dialog.Input().text().isEmpty());
    // The silent target ends in "No Response"; by then any second packet would have arrived.
    ASSERT_TRUE(WaitForShown("se 6\nNo Response"));
    EXPECT_EQ(target.Packets(), QList<QByteArray>{QByteArray("\x02\x14\x54\x06\x00\x52\x02", 7)});
}

TEST_F(ManualCalDlgTest, enterOnAFocusedButtonPressesThatButtonAndSendsNothing) {
    dialog.Display().AddLine("earlier");
    dialog.Input().setText("ti");
    for (const char* name : {"clear", "exit"}) {
        Button(name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Button(name), Qt::Key_Return);
        EXPECT_FALSE(dialog.Session().Link().ReplyTimerActive()) << name;
    }
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(dialog.Input().text(), "ti");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ManualCalDlgTest, withThePortClosedTheLineIsEchoedAndTheBoxSaysNotConnected) {
    RecordingMessageSink messages;
    comm.Close();
    TypeAndEnter("se 6");
    EXPECT_EQ(Shown(), "se 6");
    EXPECT_TRUE(dialog.Input().text().isEmpty());
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(kNotConnectedText)});
    QTest::qWait(kShortReplyTimeoutMs);
    EXPECT_TRUE(target.Packets().isEmpty());
    EXPECT_EQ(Shown(), "se 6");
}

TEST_F(ManualCalDlgTest, aLineLongerThanTheOldBufferIsHeldWhole) {
    const QString line = "stw 20 " + QString("0x1,").repeated(40) + "0x1";
    ASSERT_GT(line.size(), 100);
    dialog.Input().setText(line);
    Button("send")->click();
    EXPECT_EQ(Shown(), line);
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.Packets().size() == 1; }, 3000));
}

TEST_F(ManualCalDlgTest, theWindowUnderThePointerBecomesTheReceiver) {
    CManualCalDlg other(comm);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    EXPECT_EQ(comm.NotifyWindow(), &other.Session().Link());
    QTest::mouseMove(&dialog.Input());
    EXPECT_EQ(comm.NotifyWindow(), &dialog.Session().Link());
    // The reply goes to that window only.
    target.SetReply(0x54, FakeTarget::ReplyFrame(0x54, 0, 1));
    TypeAndEnter("se 1");
    ASSERT_TRUE(WaitForShown("se 1\nSaved to EEPROM"));
    EXPECT_TRUE(other.Display().toPlainText().isEmpty());
}
