#include "AutocalSession.h"
#include "AutocalibDlg.h"
#include "CalibrationEngine.h"
#include "FrameFixture.h"
#include "History.h"
#include "ManualCalDlg.h"
#include "ManualSession.h"

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

TEST_F(ModelessTool, inputWindowTwiceKeepsOneWindowAndMakesItTheReceiverAgain) {
    Trigger(FrameCommand::InputWindow);
    CManualCalDlg* first = ManualWindow(frame);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(Comm().NotifyWindow(), &first->Session().Link());

    TargetLink other(Comm(), 1000);
    other.Register();
    Trigger(FrameCommand::InputWindow);
    EXPECT_EQ(ManualWindow(frame), first);
    EXPECT_EQ(frame.findChildren<CManualCalDlg*>().size(), 1);
    EXPECT_EQ(Comm().NotifyWindow(), &first->Session().Link());
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

TEST_F(ModelessTool, aHiddenOrMinimisedToolIsShownAgain) {
    Trigger(FrameCommand::InputWindow);
    CManualCalDlg* window = ManualWindow(frame);
    window->hide();
    Trigger(FrameCommand::InputWindow);
    EXPECT_TRUE(window->isVisible());
    window->showMinimized();
    Trigger(FrameCommand::InputWindow);
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(ModelessTool, autoCalibrationMinimisesTheFrameAndStaysVisibleItself) {
    frame.show();
    frame.AddTool(PlainTool(FrameCommand::AutoCalibration, {}, ToolKind::ModelessMinimisingFrame));
    EXPECT_TRUE(frame.Action(FrameCommand::AutoCalibration)->isEnabled());
    Trigger(FrameCommand::AutoCalibration);
    QWidget* tool = frame.Tools().Window(FrameCommand::AutoCalibration);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(frame.isMinimized());
    EXPECT_TRUE(tool->isVisible());
    EXPECT_FALSE(tool->isMinimized());
    EXPECT_EQ(tool->parentWidget(), nullptr);
}

TEST_F(ModelessTool, autoCalibrationShowsOneCalibrationWindowThatTakesTheTargetsReplies) {
    frame.show();
    Trigger(FrameCommand::AutoCalibration);
    auto* window =
        qobject_cast<CAutocalibDlg*>(frame.Tools().Window(FrameCommand::AutoCalibration));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(frame.isMinimized());
    EXPECT_EQ(Comm().NotifyWindow(), &window->Session().Target().Link());

    TargetLink other(Comm(), 1000);
    other.Register();
    Trigger(FrameCommand::AutoCalibration);
    EXPECT_EQ(frame.Tools().Window(FrameCommand::AutoCalibration), window);
    EXPECT_EQ(Comm().NotifyWindow(), &window->Session().Target().Link());
}

TEST_F(ModelessTool, theFirstToolWithoutAMenuItemBringsATheToolsMenu) {
    QMenuBar* bar = frame.menuBar();
    EXPECT_EQ(bar->actions().size(), 4);
    frame.AddTool(PlainTool(FrameCommand::RfTest, "RF TEST"));
    frame.AddTool(PlainTool(FrameCommand::ImeiRw, "IMEI R/W"));
    ASSERT_EQ(bar->actions().size(), 5);
    QAction* tools = bar->actions()[3];
    EXPECT_EQ(tools->text(), "&Tools");
    ASSERT_EQ(tools->menu()->actions().size(), 2);
    EXPECT_EQ(tools->menu()->actions()[0]->text(), "RF TEST");
    EXPECT_EQ(tools->menu()->actions()[1]->text(), "IMEI R/W");
    tools->menu()->actions()[0]->trigger();
    EXPECT_NE(frame.Tools().Window(FrameCommand::RfTest), nullptr);
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
