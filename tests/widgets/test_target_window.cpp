#include "link/LinkTexts.h"
#include "link/ManualSession.h"
#include "sessions/EepromMapSession.h"
#include "sessions/LogicTestSession.h"
#include "sessions/RfTestSession.h"
#include "tests/support/RecordingMessageSink.h"
#include "tools/EepmapDlg.h"
#include "tools/LogicTestDlg.h"
#include "tools/ManualCalDlg.h"
#include "tools/RfTestDlg.h"
#include "tools/TargetReset.h"
#include "widgets/TargetWindow.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A tool as the later ones are built: its session plus (here no) widgets.
class BareTool : public TargetWindow {
public:
    BareTool(CComm& comm, NotConnectedNotice notice)
        : TargetWindow(QStringLiteral("BARE"), nullptr), session(comm, 1000, this) {
        AttachSession(session, notice);
    }
    TargetSession session;
};

} // namespace

TEST(TargetWindow, givesAToolItsWindowFlagsTheChannelFollowerAndItsNotice) {
    RecordingMessageSink messages;
    CComm comm; // never opened
    BareTool silent(comm, NotConnectedNotice::Silent);
    BareTool reset(comm, NotConnectedNotice::PleaseConnect);
    EXPECT_EQ(reset.windowTitle(), "BARE");
    EXPECT_TRUE(
        reset.windowFlags().testFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                      Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));

    EXPECT_EQ(comm.NotifyWindow(), &reset.session.Link());
    silent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&silent));
    QTest::mouseMove(&silent);
    EXPECT_EQ(comm.NotifyWindow(), &silent.session.Link());

    EXPECT_FALSE(silent.session.Send("se 5"));
    EXPECT_FALSE(reset.session.Send("se 5"));
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(kNotConnectedResetText)});
}

TEST(TargetWindow, everyToolPollsEvery50MsAndWaitsForItsReplyAsLongAsItAlwaysHas) {
    CComm comm;
    CManualCalDlg manual(comm);
    CRfTestDlg rfTest(comm);
    CLogicTestDlg logicTest(comm);
    CEepmapDlg eepromMap(comm);
    CTargetReset reset(comm);
    const struct {
        TargetLink& link;
        int replyTimeoutMs;
    } tools[] = {{manual.Session().Link(), 3000},
                 {rfTest.Session().Link(), 2000},
                 {logicTest.Session().Link(), 2000},
                 {eepromMap.Session().Link(), 3000},
                 {reset.Session().Link(), 3000}};
    for (const auto& [link, replyTimeoutMs] : tools) {
        EXPECT_EQ(link.PollIntervalMs(), 50);
        EXPECT_EQ(link.ReplyTimeoutMs(), replyTimeoutMs);
    }
}
