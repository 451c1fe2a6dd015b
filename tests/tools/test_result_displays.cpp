#include "link/TargetReply.h"
#include "tests/support/FakeTarget.h"
#include "tools/ResultdispDlg.h"
#include "widgets/History.h"
#include "widgets/OkfaildispDlg.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A reply as its receiver hands it to the display: unstuffed.
QByteArray Unstuffed(std::uint8_t opcode, std::uint8_t status, std::uint8_t index) {
    return TargetReply(REPLY_SUCCESS, FakeTarget::ReplyFrame(opcode, status, index)).Unstuffed();
}
} // namespace

TEST(OkFailPopup, showsTheMessageCentredReadOnlyAndWithoutCaption) {
    COkfaildispDlg popup("GSM LEVEL 5 CAL FAIL\n100% %s %d");
    EXPECT_EQ(popup.MessageField().toPlainText(), "GSM LEVEL 5 CAL FAIL\n100% %s %d");
    EXPECT_TRUE(popup.MessageField().isReadOnly());
    EXPECT_EQ(popup.MessageField().document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(popup.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(popup.isModal());
}

TEST(OkFailPopup, okEnterAndEscapeEachCloseItAndOnlyThenTheCallerGoesOn) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
        COkfaildispDlg popup("!!!  SUCCESS  !!!");
        bool shownWhileWaiting = false;
        QTimer::singleShot(20, &popup, [&] {
            shownWhileWaiting = popup.isVisible();
            if (key == Qt::Key_unknown)
                popup.findChild<QPushButton*>()->click();
            else
                QTest::keyClick(&popup, key);
        });
        popup.exec();
        EXPECT_TRUE(shownWhileWaiting);
        EXPECT_FALSE(popup.isVisible());
    }
}

// What the display prints of each reply is the decoder's (ResultDisplayLines) and the ramp
// editor's, whose replies reach it from the simulated phone.
TEST(ResultDisplay, aClosedDisplayIsNeverReusedAndTheNextOpenMakesAnEmptyOne) {
    QWidget opener;
    QPointer<CResultdispDlg> reference;
    CResultdispDlg* first = CResultdispDlg::Open(reference, &opener);
    first->ShowReply(Unstuffed(0x20, 0, 0));
    EXPECT_EQ(first->windowTitle(), "Result Display");
    EXPECT_EQ(CResultdispDlg::Open(reference, &opener), first);
    first->findChild<QPushButton*>()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reference.isNull(); }, 1000));

    CResultdispDlg* second = CResultdispDlg::Open(reference, &opener);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(second->Display().toPlainText().isEmpty());
}
