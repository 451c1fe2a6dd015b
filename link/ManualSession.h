#pragma once

#include "link/TargetSession.h"

#include <QObject>
#include <QString>

// What the manual command window does with a typed line, without the window: echo, encode,
// purge, send, and every reply text in words; a closed port is Target().notConnected(), and the
// view says it. The window and rftune-cmd are both views over it.
class ManualSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kReplyTimeoutMs = 3000;

    explicit ManualSession(CComm& comm, QObject* parent = nullptr);

    TargetSession& Target() { return target_; }
    TargetLink& Link() { return target_.Link(); }

    // Runs the send sequence for line; false when nothing could be sent (port not connected).
    bool Send(const QString& line);

signals:
    void textAdded(const QString& text); // one line of the display
    void replyHandled(ReplyClass result);
    void timedOut();

private:
    void OnReply(const TargetReply& reply);
    void OnTimeout();

    TargetSession target_;
};
