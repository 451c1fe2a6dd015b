#include "app/rftune-cmd/CommandRunner.h"

#include <QEventLoop>
#include <QTimer>

namespace {
// Past the reply time-out, so that "No Response" always comes first when the timer runs.
constexpr int kGuardMarginMs = 200;
} // namespace

CommandRunner::CommandRunner(CComm& comm, int timeoutMs, QTextStream& out)
    : session_(comm), out_(out), timeoutMs_(timeoutMs) {
    session_.Link().SetReplyTimeoutMs(timeoutMs);
    connect(&session_, &ManualSession::textAdded, this, [this](const QString& text) {
        QString shown = text;
        out_ << shown.replace(QLatin1String("\r\n"), QLatin1String("\n")) << '\n';
        out_.flush();
    });
    connect(&comm, &CComm::portLost, this, [this] { portLost_ = true; });
}

void CommandRunner::Interrupt() {
    interrupted_ = true;
    emit interrupted();
}

bool CommandRunner::Run(const QString& line) {
    if (interrupted_ || !session_.Send(line))
        return false;
    bool success = false;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&session_, &ManualSession::timedOut, &loop, &QEventLoop::quit);
    connect(&session_, &ManualSession::replyHandled, &loop, [&](ReplyClass result) {
        if (result == REPLY_SUCCESS) {
            success = true;
            loop.quit();
        }
    });
    connect(&session_.Link().Comm(), &CComm::portLost, &loop, &QEventLoop::quit);
    connect(this, &CommandRunner::interrupted, &loop, &QEventLoop::quit);
    guard.start(timeoutMs_ + kGuardMarginMs);
    loop.exec();
    session_.Link().KillTimers();
    return success;
}
