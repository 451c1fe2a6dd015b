#pragma once

#include "MessageService.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class CMainFrame;
class CManualCalDlg;

// A scripted start (--send, --screenshot): opens the target from the menu, types each line into
// the manual command window and presses SEND, waiting for each reply or "No Response"; then
// keeps a picture of the screen and quits. The display's lines are printed on standard output;
// message boxes go to standard error, as nobody is there to close them.
class ScriptedRun : public QObject, private MessageSink {
    Q_OBJECT
public:
    ScriptedRun(CMainFrame& frame, QStringList lines, QString screenshotFile);
    ~ScriptedRun() override;

    void Start();

private:
    void Show(const QString& text, MessageIcon icon) override;
    void PrintLine(const QString& text);
    void SendNext();
    void OnReplyHandled();
    void TakeScreenshot();

    CMainFrame& frame_;
    QStringList lines_;
    QString screenshotFile_;
    QPointer<CManualCalDlg> window_;
    MessageSink* previousSink_ = nullptr;
    bool sinkInstalled_ = false;
};
