#include "link/LinkTexts.h"
#include "tests/support/RecordingMessageSink.h"
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
