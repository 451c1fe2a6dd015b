#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QTimer>

#include <functional>

class ScpiInstrument;

// How the emulated adapter and its instruments mistreat the host, for the backend's tests.
struct PrologixFaults {
    int replyDelayMs = 0;       // an instrument's reply is ready this long after its query
    int fragmentBytes = 0;      // the adapter's output goes in pieces of this many bytes (0: whole)
    bool ignoreAddress = false; // "++addr N" changes nothing, as on a clone that lost the bus
};

// The adapter's side of one host connection to a Prologix GPIB controller: "++" commands,
// ESC-escaped payload routed by "++addr" to the bench's instruments, "++read" answered with the
// current address's reply and the eot character once the instrument ended with EOI. A read with
// nothing to answer stays silent, as the adapter does until its read time-out. Lives in, and is
// used from, the thread of its face.
class PrologixEmulator : public QObject {
public:
    using Sender = std::function<void(const QByteArray& bytes)>;

    PrologixEmulator(QMap<int, ScpiInstrument*> instruments, const PrologixFaults& faults,
                     Sender send, QObject* parent = nullptr);

    // Bytes from the host, in any pieces.
    void Receive(const QByteArray& bytes);
    // The "++" commands received so far, without their line ends; safe from any thread.
    QList<QByteArray> Commands() const;

private:
    struct Output {
        QByteArray reply;
        QDeadlineTimer ready;
    };

    void EndMessage();
    void Command(const QByteArray& command);
    void Payload(const QByteArray& payload);
    void Read();
    void SendReply();
    void Answer(const QByteArray& line) { Send(line + "\r\n"); }
    void Send(const QByteArray& bytes);
    void SendNextPiece();

    QMap<int, ScpiInstrument*> instruments_;
    PrologixFaults faults_;
    Sender send_;
    QMap<int, Output> outputs_;
    QByteArray message_;
    bool escaped_ = false;
    bool command_ = false;
    int address_ = 0;
    bool eotEnabled_ = false;
    char eotChar_ = '\n';
    int readTimeoutMs_ = 3000;
    QByteArray outgoing_;
    QTimer pieceTimer_;
    mutable QMutex mutex_;
    QList<QByteArray> commands_;
};
