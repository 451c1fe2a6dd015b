#pragma once

#include "base/MessageService.h"
#include "link/FrameCodec.h"
#include "shell/FrameCommands.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class CMainFrame;
class CManualCalDlg;

// A scripted start (--open, --send, --screenshot): opens the target from the menu, then each
// tool window by its menu command, types each line into the manual command window (opening it if
// needed) and presses SEND, waiting for each reply or "No Response"; then keeps a picture of the
// screen and quits. The display's lines are printed on standard output; message boxes go to
// standard error, as nobody is there to close them. The run fails when the port did not open or
// a line got no success reply.
class ScriptedRun : public QObject, private MessageSink {
    Q_OBJECT
public:
    ScriptedRun(CMainFrame& frame, QList<FrameCommand> windows, QStringList lines,
                QString screenshotFile);
    ~ScriptedRun() override;

    void Start();
    // 0 when the port opened and every line got a success reply, else 1.
    int ExitStatus() const { return failed_ ? 1 : 0; }

private:
    void Show(const QString& text, MessageIcon icon) override;
    void OpenManualWindow();
    void OnWindowClosed();
    void PrintLine(const QString& text);
    void SendNext();
    void OnReplyHandled(ReplyClass result);
    void TakeScreenshot();

    CMainFrame& frame_;
    QList<FrameCommand> windows_;
    QStringList lines_;
    QString screenshotFile_;
    QPointer<CManualCalDlg> window_;
    MessageSink* previousSink_ = nullptr;
    bool sinkInstalled_ = false;
    bool lineSucceeded_ = true; // none is pending before the first line
    bool lineInFlight_ = false;
    bool failed_ = false;
};
