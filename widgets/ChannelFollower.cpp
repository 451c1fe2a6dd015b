#include "widgets/ChannelFollower.h"

#include "link/TargetSession.h"

#include <QEvent>
#include <QWidget>

ChannelFollower::ChannelFollower(QWidget& window, TargetSession& session)
    : QObject(&window), session_(&session) {
    // Hover moves reach the window also while the pointer is over one of its controls.
    window.setAttribute(Qt::WA_Hover);
    window.installEventFilter(this);
    Register();
}

void ChannelFollower::Register() {
    if (session_)
        session_->Register();
}

void ChannelFollower::Leave() {
    if (session_)
        session_->End();
    session_ = nullptr;
}

bool ChannelFollower::RegisterWindow(QWidget* window) {
    auto* follower =
        window ? window->findChild<ChannelFollower*>(QString(), Qt::FindDirectChildrenOnly)
               : nullptr;
    if (!follower)
        return false;
    follower->Register();
    return true;
}

bool ChannelFollower::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverMove)
        Register();
    return QObject::eventFilter(watched, event);
}
