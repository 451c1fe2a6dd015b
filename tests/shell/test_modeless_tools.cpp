#include "autocal/CalibrationEngine.h"
#include "autocal/window/AutocalSession.h"
#include "autocal/window/AutocalibDlg.h"
#include "link/ManualSession.h"
#include "sessions/LogicTestSession.h"
#include "sessions/RfTestSession.h"
#include "tests/shell/FrameFixture.h"
#include "tools/ImeiRw.h"
#include "tools/LogicTestDlg.h"
#include "tools/ManualCalDlg.h"
#include "tools/RfTestDlg.h"
#include "widgets/History.h"

#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

using ModelessTool = FrameFixture;

CManualCalDlg* ManualWindow(CMainFrame& frame) {
    return qobject_cast<CManualCalDlg*>(frame.Tools().Window(FrameCommand::InputWindow));
}

StationTool PlainTool(FrameCommand command, const QString& toolsCaption = {},
                      ToolKind kind = ToolKind::Modeless) {
    return {"plain", command, toolsCaption, kind,
            [](CComm&, QWidget* parent) { return new QDialog(parent); }};
}

} // namespace

TEST_F(ModelessTool, inputWindowAgainKeepsOneWindowShowsItAndMakesItTheReceiverAgain) {
    Trigger(FrameCommand::InputWindow);
    CManualCalDlg* first = ManualWindow(frame);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(Comm().NotifyWindow(), &first->Session().Link());

    TargetLink other(Comm(), 1000);
    other.Register();
    first->hide();
    Trigger(FrameCommand::InputWindow);
    EXPECT_EQ(ManualWindow(frame), first);
    EXPECT_EQ(frame.findChildren<CManualCalDlg*>().size(), 1);
    EXPECT_EQ(Comm().NotifyWindow(), &first->Session().Link());
    EXPECT_TRUE(first->isVisible());
    first->showMinimized();
    Trigger(FrameCommand::InputWindow);
    EXPECT_FALSE(first->isMinimized());
}

TEST_F(ModelessTool, closingAToolAndChoosingItAgainCreatesAFreshOne) {
    Trigger(FrameCommand::InputWindow);
    QPointer<CManualCalDlg> first = ManualWindow(frame);
    first->Display().AddLine("old line");
    first->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 1000));
    EXPECT_EQ(frame.Tools().Window(FrameCommand::InputWindow), nullptr);
    EXPECT_EQ(Comm().NotifyWindow(), nullptr);

    Trigger(FrameCommand::InputWindow);
    CManualCalDlg* second = ManualWindow(frame);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->Display().toPlainText().isEmpty());
}

TEST_F(ModelessTool, autoCalibrationShowsOneCalibrationWindowThatTakesTheTargetsReplies) {
    frame.show();
    Trigger(FrameCommand::AutoCalibration);
    auto* window =
        qobject_cast<CAutocalibDlg*>(frame.Tools().Window(FrameCommand::AutoCalibration));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(frame.isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(Comm().NotifyWindow(), &window->Session().Target().Link());

    TargetLink other(Comm(), 1000);
    other.Register();
    Trigger(FrameCommand::AutoCalibration);
    EXPECT_EQ(frame.Tools().Window(FrameCommand::AutoCalibration), window);
    EXPECT_EQ(Comm().NotifyWindow(), &window->Session().Target().Link());
}

// The captions and their order are the main frame's menu test's.
TEST_F(ModelessTool, toolsWithoutAMenuItemAreUnderToolsAndOpenThere) {
    QMenu* tools = frame.menuBar()->actions()[3]->menu();
    const QList<QAction*> items = tools->actions();
    ASSERT_EQ(items.size(), 5);
    items[0]->trigger();
    auto* rfTest = qobject_cast<CRfTestDlg*>(frame.Tools().Window(FrameCommand::RfTest));
    ASSERT_NE(rfTest, nullptr);
    EXPECT_EQ(rfTest->windowTitle(), "RF TEST");
    items[1]->trigger();
    auto* logicTest = qobject_cast<CLogicTestDlg*>(frame.Tools().Window(FrameCommand::LogicTest));
    ASSERT_NE(logicTest, nullptr);
    EXPECT_EQ(logicTest->windowTitle(), "Logic Test");
    EXPECT_EQ(Comm().NotifyWindow(), &logicTest->Session().Link());
    items[0]->trigger(); // brought forward, and the receiver again
    EXPECT_EQ(Comm().NotifyWindow(), &rfTest->Session().Link());
    items[2]->trigger();
    auto* imei = qobject_cast<CImeiRw*>(frame.Tools().Window(FrameCommand::ImeiRw));
    ASSERT_NE(imei, nullptr);
    EXPECT_EQ(imei->windowTitle(), "IMEI R/W");
    EXPECT_EQ(Comm().NotifyWindow(), &imei->Session().Link());

    // A tool defined again replaces the old one under its one menu entry.
    frame.AddTool(PlainTool(FrameCommand::ImeiRw, "IMEI R/W"));
    EXPECT_EQ(tools->actions().size(), 5);
}

TEST_F(ModelessTool, aModalToolLivesOnlyWhileItsCommandRuns) {
    frame.AddTool(PlainTool(FrameCommand::TargetReset, {}, ToolKind::Modal));
    QPointer<QDialog> modal;
    bool ranModal = false;
    QTimer::singleShot(0, [&] {
        modal = frame.findChild<QDialog*>();
        ranModal = modal && QApplication::activeModalWidget() == modal;
        if (modal)
            modal->close();
    });
    Trigger(FrameCommand::TargetReset);
    EXPECT_TRUE(ranModal);
    EXPECT_TRUE(modal.isNull());
}
