#pragma once

#include "link/ManualSession.h"

#include <QStringList>
#include <QTextStream>

// Feeds command lines one at a time through a ManualSession and prints every text the manual
// command window would show. A line ends with its success reply, "No Response", or, when a
// reply for another command stopped the reply timer, the same time-out.
class CommandRunner : public QObject {
    Q_OBJECT
public:
    CommandRunner(CComm& comm, int timeoutMs, QTextStream& out);

    // Runs one line; true when it got a success reply.
    bool Run(const QString& line);
    bool PortLost() const { return portLost_; }
    // Ends the line awaited now; Run then sends nothing more.
    void Interrupt();
    bool Interrupted() const { return interrupted_; }

signals:
    void interrupted();

private:
    ManualSession session_;
    QTextStream& out_;
    int timeoutMs_;
    bool portLost_ = false;
    bool interrupted_ = false;
};
