#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;
class ScpiInstrument;
struct WireIn;

// What goes wrong on the way to a gateway, on request: every reply late by delayMs, every Nth
// read answered with the I/O time-out error, a small maxRecvSize (which also caps what one read
// returns), records split into fragments of fragmentBytes, each reply preceded by a repeat of
// the previous one (a stale transaction id), the connection dropped at the Nth call, and one
// device held by a lock of another station's link.
struct Vxi11Faults {
    int delayMs = 0;
    int timeoutEveryNth = 0;
    quint32 maxRecvSize = 65536;
    int fragmentBytes = 0;
    bool staleReplies = false;
    int dropAtCall = 0;
    QString lockedDevice{};
};

// A VXI-11 core channel on a loopback port, standing for a LAN/GPIB gateway in front of the
// virtual instruments: each is a device by name ("gpib0,14", "inst0"). A serial poll answers the
// message-available bit while a reply waits. Runs on the event loop of the thread it lives in.
class Vxi11Server : public QObject {
    Q_OBJECT

public:
    explicit Vxi11Server(QObject* parent = nullptr);
    ~Vxi11Server() override;

    void AddDevice(const QString& name, ScpiInstrument& instrument);
    void SetFaults(const Vxi11Faults& faults) { faults_ = faults; }
    // Listens on 127.0.0.1; port 0 takes a free one. Call it in the server's thread.
    bool Listen(quint16 port = 0);
    quint16 Port() const { return port_; }

private:
    struct Device {
        ScpiInstrument* instrument = nullptr;
        QByteArray input;
        QList<QByteArray> output; // replies not yet read, each one message
    };
    struct Connection {
        QByteArray stream;
        QList<QByteArray> records;
        bool busy = false; // a reply is being delayed: later calls wait their turn
        QByteArray lastReply;
    };
    struct Answer {
        QByteArray results;
        int delayMs = 0;
    };

    void Accept();
    void Serve(QTcpSocket* socket);
    void Send(QTcpSocket* socket, const QByteArray& reply);
    QByteArray Reply(const QByteArray& record, int* delayMs);
    Answer Core(quint32 procedure, WireIn& args);
    Answer CreateLink(WireIn& args);
    Answer Write(WireIn& args);
    Answer Read(WireIn& args);
    Answer ReadStatusByte(WireIn& args);
    Answer Clear(WireIn& args);
    Answer DestroyLink(WireIn& args);
    Device* Linked(quint32 link);
    bool LockedElsewhere(quint32 link) const;

    QTcpServer server_{this};
    quint16 port_ = 0;
    Vxi11Faults faults_;
    QMap<QString, Device> devices_; // by lower-case name
    QMap<quint32, QString> links_;  // device names by link id
    QHash<QTcpSocket*, Connection> connections_;
    quint32 nextLink_ = 1;
    int calls_ = 0;
    int reads_ = 0;
};
