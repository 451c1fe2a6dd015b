#pragma once

#include <QObject>
#include <QTcpServer>
#include <QUdpSocket>

class QTcpSocket;

// The portmapper a VXI-11 client asks first (program 100000 version 2, GETPORT only), on TCP
// and UDP of one loopback port: it knows the core channel's port and nothing else.
class Portmapper : public QObject {
    Q_OBJECT

public:
    explicit Portmapper(quint16 corePort, QObject* parent = nullptr);

    // Port 0 takes one that is free on TCP and UDP alike; 111, the standard one, needs root.
    bool Listen(quint16 port, QString* error);
    quint16 Port() const { return port_; }

private:
    bool ListenOn(quint16 port);
    void Accept();
    void ReadDatagrams();
    QByteArray Reply(const QByteArray& record) const;

    quint16 corePort_;
    quint16 port_ = 0;
    QTcpServer tcp_{this};
    QUdpSocket udp_{this};
};
