#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TargetSession;

// Makes a target window's session the channel's receiver when the window opens and whenever the
// pointer moves over it: only the receiver gets the target's replies, and the window the
// operator points at is the one waiting for them.
class ChannelFollower : public QObject {
    Q_OBJECT
public:
    ChannelFollower(QWidget& window, TargetSession& session);

    void Register();
    // The window goes: its session hears and answers nothing more and is never registered again.
    void Leave();

    // Registers the follower of window, if it has one (a tool brought forward by the frame).
    static bool RegisterWindow(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TargetSession> session_;
};
