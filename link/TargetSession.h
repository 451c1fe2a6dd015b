#pragma once

#include "link/TargetLink.h"
#include "link/TargetReply.h"

#include <QObject>
#include <QString>

// A window's conversation with the target: send a line, get its typed reply or the time-out.
// One command is in flight at a time; a new line supersedes the one awaited, and replies are then
// classified against the new command, as the windows have always behaved. Each complete frame
// is handed out once, after the timers were stopped as every window stops them.
class TargetSession : public QObject {
    Q_OBJECT
public:
    TargetSession(CComm& comm, int replyTimeoutMs, QObject* parent = nullptr);

    // The channel follower registers the session again whenever the window is pointed at.
    void Register() { link_.Register(); }
    TargetLink& Link() { return link_; }
    bool IsConnected() const { return link_.IsConnected(); }

    // Encodes, purges, builds and sends line. False, sending nothing, when the port is not
    // connected; notConnected() says so first.
    bool Send(const QString& line);
    // Sends line without the port check, for the commands a window sends unchecked: with the
    // port closed nothing goes out and timedOut() follows.
    void SendUnchecked(const QString& line);
    // The line sent last: the one a repeat sends again.
    const QString& LastLine() const { return lastLine_; }
    // The window goes: no reply is awaited or handed out any more, and the channel forgets this
    // session, so that a step that would follow a reply is never sent.
    void End();

signals:
    void replied(const TargetReply& reply);
    // The reply time-out expired; both timers are stopped.
    void timedOut();
    // Send() found the port closed; whoever shows the session decides what the operator is told.
    void notConnected();

private:
    void OnFrame();

    TargetLink link_;
    QString lastLine_;
};
