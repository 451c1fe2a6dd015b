#include "app/rftune/ScriptedRun.h"

#include "link/ManualSession.h"
#include "shell/MainFrm.h"
#include "shell/RftuneDoc.h"
#include "tools/ManualCalDlg.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {
// Time for the last reply's text to be painted before the screen is taken.
constexpr int kSettleMs = 300;
} // namespace

ScriptedRun::ScriptedRun(CMainFrame& frame, QList<FrameCommand> windows, QStringList lines,
                         QString screenshotFile)
    : frame_(frame), windows_(std::move(windows)), lines_(std::move(lines)),
      screenshotFile_(std::move(screenshotFile)) {}

ScriptedRun::~ScriptedRun() {
    if (sinkInstalled_)
        SetMessageSink(previousSink_);
}

void ScriptedRun::Start() {
    previousSink_ = SetMessageSink(this);
    sinkInstalled_ = true;
    frame_.Action(FrameCommand::TargetOpen)->trigger();
    failed_ = !frame_.Document().Comm().IsConnected();
    // Each window from the event loop: a modal one runs a loop of its own until it is closed,
    // and the rest of the script goes on in there.
    for (const FrameCommand command : windows_)
        QTimer::singleShot(0, frame_.Action(command), &QAction::trigger);
    QTimer::singleShot(0, this, [this] {
        if (!lines_.isEmpty())
            OpenManualWindow();
        SendNext();
    });
}

void ScriptedRun::OpenManualWindow() {
    // Also when it is open already: that brings it forward and makes it the receiver.
    frame_.Action(FrameCommand::InputWindow)->trigger();
    window_ = qobject_cast<CManualCalDlg*>(frame_.Tools().Window(FrameCommand::InputWindow));
    if (!window_)
        return;
    connect(&window_->Session(), &ManualSession::textAdded, this, &ScriptedRun::PrintLine);
    connect(&window_->Session(), &ManualSession::replyHandled, this, &ScriptedRun::OnReplyHandled);
    connect(&window_->Session(), &ManualSession::timedOut, this, &ScriptedRun::SendNext);
    connect(window_, &QDialog::finished, this, &ScriptedRun::OnWindowClosed);
}

void ScriptedRun::OnWindowClosed() {
    if (!lineInFlight_ && lines_.isEmpty())
        return; // the script was done with the window
    // Closed under the script: a window that goes hears no more replies, so the lines left
    // cannot be sent and the run ends as a failure.
    failed_ = true;
    lines_.clear();
    SendNext();
}

void ScriptedRun::Show(const QString& text, MessageIcon) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void ScriptedRun::PrintLine(const QString& text) {
    std::printf("%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

void ScriptedRun::SendNext() {
    lineInFlight_ = false;
    failed_ = failed_ || !lineSucceeded_;
    if (lines_.isEmpty()) {
        if (!screenshotFile_.isEmpty())
            QTimer::singleShot(kSettleMs, this, &ScriptedRun::TakeScreenshot);
        return;
    }
    if (!window_) {
        OnWindowClosed();
        return;
    }
    window_->Input().setText(lines_.takeFirst());
    lineSucceeded_ = false;
    lineInFlight_ = true;
    window_->SendButton().click();
    // Nothing was sent (the port is closed): there is no reply to wait for.
    if (window_ && !window_->Session().Link().ReplyTimerActive())
        SendNext();
}

void ScriptedRun::OnReplyHandled(ReplyClass result) {
    lineSucceeded_ = lineSucceeded_ || result == REPLY_SUCCESS;
    // Done with this line once the window no longer waits: a status error still ends in the
    // time-out, a reply to another command does not.
    if (window_ && !window_->Session().Link().ReplyTimerActive())
        SendNext();
}

void ScriptedRun::TakeScreenshot() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const bool saved = screen && screen->grabWindow(0).save(screenshotFile_);
    if (!saved)
        std::fprintf(stderr, "rftune: cannot save the screenshot to %s\n",
                     screenshotFile_.toLocal8Bit().constData());
    failed_ = failed_ || !saved;
    frame_.close();
    QCoreApplication::exit(ExitStatus());
}
