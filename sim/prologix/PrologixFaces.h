#pragma once

#include "sim/prologix/PrologixEmulator.h"
#include "sim/pty/PseudoTerminal.h"

#include <QMap>
#include <QObject>
#include <QTcpServer>

#include <memory>

class QSocketNotifier;

// A Prologix GPIB-ETHERNET in front of the bench's instruments (by GPIB address) on a loopback
// TCP port; each connection has an adapter state of its own. Runs on the event loop of the thread
// it lives in.
class PrologixTcpFace : public QObject {
public:
    PrologixTcpFace(QMap<int, ScpiInstrument*> instruments, const PrologixFaults& faults = {},
                    QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 takes a free one. Call it in the face's thread.
    bool Listen(quint16 port = 0);
    quint16 Port() const { return server_.serverPort(); }
    // "PRLGX-TCPIP0::127.0.0.1::PORT".
    QString InterfaceText() const;
    // The "++" commands of the latest connection; empty before the first.
    QList<QByteArray> Commands() const;
    // Closes every connection, as an adapter that lost its power does.
    void DropConnections();

private:
    void Accept();

    QMap<int, ScpiInstrument*> instruments_;
    PrologixFaults faults_;
    QTcpServer server_{this};
    PrologixEmulator* latest_ = nullptr;
};

// A Prologix GPIB-USB in front of the same instruments: the slave of a pseudo-terminal stands
// for its /dev/ttyUSB port.
class PrologixSerialFace : public QObject {
public:
    PrologixSerialFace(QMap<int, ScpiInstrument*> instruments, const PrologixFaults& faults = {},
                       QObject* parent = nullptr);
    ~PrologixSerialFace() override;

    bool Open(QString* error);
    // "PRLGX-ASRL::/dev/pts/N".
    QString InterfaceText() const;
    QList<QByteArray> Commands() const { return emulator_.Commands(); }
    // Unplugs the adapter: the host's port fails.
    void Unplug();

private:
    PseudoTerminal pty_;
    PrologixEmulator emulator_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
