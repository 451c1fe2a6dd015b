#pragma once

#include "sim/pty/PseudoTerminal.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

// How the line mistreats what the bench sends, for the station's reliability tests.
struct LineFaults {
    int delayMs = 0;                   // each answer leaves this much later
    int burstBytes = 0;                // answers go out in bursts of this many bytes (0: whole)
    bool garbageBetweenFrames = false; // noise bytes before every answer
};

// One simulated serial line: a pseudo-terminal whose slave the station opens, with a responder
// that turns what the station wrote into answers (frames, scanner lines) sent back on the line.
class SerialLine : public QObject {
    Q_OBJECT
public:
    using Responder = std::function<std::vector<QByteArray>(const QByteArray& received)>;

    static constexpr int kBurstGapMs = 2;
    static inline const QByteArray kGarbage = QByteArray("\x55\xAA\x7F\x00\x33", 5);

    explicit SerialLine(Responder responder, QObject* parent = nullptr);
    ~SerialLine() override;

    bool Open(QString* error);
    QString DevicePath() const { return pty_.SlavePath(); }
    void SetFaults(const LineFaults& faults) { faults_ = faults; }

    // Sends bytes now, unasked (a target that speaks after a restart, say).
    void Send(const QByteArray& bytes);

private:
    void OnReadable();
    void Queue(const QByteArray& answer);
    void SendNextBurst();

    Responder responder_;
    PseudoTerminal pty_;
    std::unique_ptr<QSocketNotifier> notifier_;
    LineFaults faults_;
    QByteArray outgoing_;
    QTimer burstTimer_;
};
