#pragma once

#include "TargetSession.h"

#include <QDialog>

// What every tool window that talks to the target shares: a window of its own with title,
// system menu, minimise and close; the channel following the pointer to the window's session;
// and the window's choice of what the operator is told when a line cannot go out. A tool is
// then its session plus its widgets.
class TargetWindow : public QDialog {
    Q_OBJECT
protected:
    TargetWindow(const QString& title, QWidget* parent);

    // Called once the window's session exists: makes it the channel's receiver now and whenever
    // the pointer moves over the window.
    void AttachSession(TargetSession& session, NotConnectedNotice notice);
};
