#include "widgets/TargetWindow.h"

#include "base/MessageService.h"
#include "link/LinkTexts.h"
#include "link/Waiting.h"
#include "widgets/ChannelFollower.h"

#include <QCloseEvent>

#include <utility>

TargetWindow::TargetWindow(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(title);
}

namespace {

const char* NoticeText(NotConnectedNotice notice) {
    switch (notice) {
    case NotConnectedNotice::ConnectFromMenu:
        return kNotConnectedText;
    case NotConnectedNotice::PleaseConnect:
        return kNotConnectedResetText;
    case NotConnectedNotice::Silent:
        break;
    }
    return nullptr;
}

} // namespace

void TargetWindow::AttachSession(TargetSession& session, NotConnectedNotice notice) {
    if (const char* text = NoticeText(notice)) {
        connect(&session, &TargetSession::notConnected, this,
                [text] { ShowMessage(QString::fromUtf8(text), MessageIcon::Exclamation); });
    }
    follower_ = new ChannelFollower(*this, session);
}

void TargetWindow::GuardSequence(PumpingSequence& sequence) {
    sequence_ = &sequence;
    connect(&sequence, &PumpingSequence::ended, this, &TargetWindow::OnSequenceEnded);
}

void TargetWindow::done(int result) {
    // QDialog closes without a close event here, and a window that deletes itself on close is
    // then deleted by the event loop the sequence waits in.
    if (HoldForSequence(Leaving::ByDone, result))
        return;
    Leave();
    QDialog::done(result);
}

void TargetWindow::closeEvent(QCloseEvent* event) {
    if (HoldForSequence(Leaving::ByClose, Rejected)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
    if (event->isAccepted())
        Leave();
}

bool TargetWindow::HoldForSequence(Leaving way, int result) {
    if (!sequence_ || !sequence_->IsRunning())
        return false;
    if (leaving_ == Leaving::No) {
        leaving_ = way;
        leavingResult_ = result;
    }
    sequence_->Cancel();
    return true;
}

void TargetWindow::OnSequenceEnded() {
    // The sequence's stack is gone: the window goes the way it was asked to.
    switch (std::exchange(leaving_, Leaving::No)) {
    case Leaving::ByClose:
        close();
        break;
    case Leaving::ByDone:
        done(leavingResult_);
        break;
    case Leaving::No:
        break;
    }
}

void TargetWindow::Leave() {
    if (follower_)
        follower_->Leave();
}
