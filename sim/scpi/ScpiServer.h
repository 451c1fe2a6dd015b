#pragma once

#include <QObject>
#include <QTcpServer>

#include <atomic>

class QTcpSocket;
class ScpiInstrument;

// A virtual instrument on a loopback TCP port: raw SCPI, one line-feed terminated line at a
// time, as a LAN/GPIB gateway would pass it on. Runs on the event loop of the thread it lives in.
class ScpiServer : public QObject {
    Q_OBJECT

public:
    explicit ScpiServer(ScpiInstrument& instrument, QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 takes a free one. Call it in the server's thread.
    bool Listen(quint16 port = 0);
    quint16 Port() const { return port_.load(); }
    // Connections open now; safe from any thread.
    int ConnectionCount() const { return connections_.load(); }

private:
    void Accept();
    void ReadLines(QTcpSocket* socket);

    ScpiInstrument& instrument_;
    QTcpServer server_{this};
    std::atomic<quint16> port_{0};
    std::atomic<int> connections_{0};
};
