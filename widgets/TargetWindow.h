#pragma once

#include "link/TargetSession.h"

#include <QDialog>
#include <QPointer>

class ChannelFollower;
class PumpingSequence;

// What the operator is told when a line cannot go out because the port is closed.
enum class NotConnectedNotice {
    Silent,
    ConnectFromMenu, // kNotConnectedText
    PleaseConnect,   // kNotConnectedResetText
};

// What every tool window that talks to the target shares: a window of its own with title,
// system menu, minimise and close; the channel following the pointer to the window's session;
// the window's choice of what the operator is told when a line cannot go out; and the rule that
// the window never goes under a sequence of its session that is waiting. A tool is then its
// session plus its widgets.
class TargetWindow : public QDialog {
    Q_OBJECT
public:
    // Escape, and every button that accepts or rejects, end here.
    void done(int result) override;

protected:
    TargetWindow(const QString& title, QWidget* parent);

    // Called once the window's session exists: makes it the channel's receiver now and whenever
    // the pointer moves over the window, and shows the notice in a box whenever the session
    // finds the port closed. When the window goes, the session hears and sends nothing more,
    // so that no step that follows a reply goes out after it.
    void AttachSession(TargetSession& session, NotConnectedNotice notice);
    // A sequence that waits while handling events runs on the stack under every event the window
    // gets meanwhile: a way out (Escape, a button, the close box, the main window closing) then
    // cancels it instead, and the window goes once it has unwound.
    void GuardSequence(PumpingSequence& sequence);

    // The close box, close() and the main window closing its tools end here.
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Leaving { No, ByClose, ByDone };

    // True when the window must stay until its sequence has unwound; asks it to end.
    bool HoldForSequence(Leaving way, int result);
    void OnSequenceEnded();
    void Leave();

    QPointer<ChannelFollower> follower_;
    QPointer<PumpingSequence> sequence_;
    Leaving leaving_ = Leaving::No;
    int leavingResult_ = Rejected;
};
