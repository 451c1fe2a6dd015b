#pragma once

#include <QObject>

#include <functional>

class QDeadlineTimer;
class QEventLoop;

// Waits that keep the user-interface thread's events flowing, so that timers and received data
// are handled while a sequence waits.

// Handles every pending event without blocking. Returns 1, or 0 when the application is
// quitting (the quit stays requested for the outer loop).
int PumpMessages();

// Waits ms milliseconds while handling events; sleeps in the event loop instead of spinning.
// False when the wait was cut short because the application is quitting.
bool WaitPumping(int ms);

// A sequence of steps that waits while it handles events (the IMEI tool's scan cycle). Its
// window stays live meanwhile, so the window, the port or the program may be told to go while the
// sequence is deep in a wait. Whoever ends it early calls Cancel(): the wait going on returns at
// once, every later one returns before it starts, and the sequence unwinds the safe way. The
// application quitting cancels it too: Qt's exit() ends every running event loop and makes every
// later one return at once, so a sequence that did not notice would race through its steps.
class PumpingSequence : public QObject {
    Q_OBJECT
public:
    // Held by the sequence for as long as it runs; ended() follows when it is let go.
    class Running {
    public:
        explicit Running(PumpingSequence& sequence);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        PumpingSequence& sequence_;
    };

    using QObject::QObject;

    bool IsRunning() const { return running_; }
    bool Cancelled() const { return cancelled_; }
    // Ends the running sequence at its wait; nothing when none runs.
    void Cancel();

    // Waits ms, handling events; false when the sequence was cancelled, before or meanwhile.
    bool Wait(int ms);
    // Waits until done() holds, ms pass or the sequence is cancelled; done() is looked at again
    // on every Wake(). True when done() holds and the sequence was not cancelled.
    bool WaitUntil(const std::function<bool()>& done, int ms);
    // What a wait may be waiting for has happened (a reply came).
    void Wake();

signals:
    // The sequence has unwound: whatever had to wait for its end may go ahead.
    void ended();

private:
    void RunLoop(const QDeadlineTimer& deadline);
    void EndLoop();

    QEventLoop* loop_ = nullptr;
    bool loopEndedByUs_ = false;
    bool running_ = false;
    bool cancelled_ = false;
};
