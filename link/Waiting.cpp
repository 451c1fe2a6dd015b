#include "link/Waiting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

int PumpMessages() {
    if (QCoreApplication::closingDown())
        return 0;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return QCoreApplication::closingDown() ? 0 : 1;
}

bool WaitPumping(int ms) {
    if (ms <= 0)
        return PumpMessages() != 0;
    PumpingSequence waits;
    return waits.Wait(ms);
}

PumpingSequence::Running::Running(PumpingSequence& sequence) : sequence_(sequence) {
    sequence_.running_ = true;
    sequence_.cancelled_ = false;
}

PumpingSequence::Running::~Running() {
    sequence_.running_ = false;
    emit sequence_.ended();
}

void PumpingSequence::Cancel() {
    if (!running_)
        return;
    cancelled_ = true;
    EndLoop();
}

bool PumpingSequence::Wait(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!cancelled_ && !deadline.hasExpired())
        RunLoop(deadline);
    return !cancelled_;
}

bool PumpingSequence::WaitUntil(const std::function<bool()>& done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!cancelled_ && !done() && !deadline.hasExpired())
        RunLoop(deadline);
    return !cancelled_ && done();
}

void PumpingSequence::Wake() {
    EndLoop();
}

void PumpingSequence::RunLoop(const QDeadlineTimer& deadline) {
    if (!QCoreApplication::instance() || QCoreApplication::closingDown()) {
        cancelled_ = true;
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(deadline.remainingTime()), &loop, [this] { EndLoop(); });
    loop_ = &loop;
    loopEndedByUs_ = false;
    loop.exec();
    loop_ = nullptr;
    // Neither the time, a wake-up nor a cancel ended it: the application is quitting.
    if (!loopEndedByUs_)
        cancelled_ = true;
}

void PumpingSequence::EndLoop() {
    if (!loop_)
        return;
    loopEndedByUs_ = true;
    loop_->quit();
}
