#include "TargetWindow.h"

#include "ChannelFollower.h"

TargetWindow::TargetWindow(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(title);
}

void TargetWindow::AttachSession(TargetSession& session, NotConnectedNotice notice) {
    session.SetNotConnectedNotice(notice);
    new ChannelFollower(*this, session);
}
