#include "sim/vxi11/Portmapper.h"

#include "sim/vxi11/RpcWire.h"

#include <QNetworkDatagram>
#include <QTcpSocket>

namespace {

constexpr quint32 kPortmapperProgram = 100000;
constexpr quint32 kGetPort = 3;
constexpr quint32 kCoreProgram = 0x0607AF;
constexpr quint32 kTcp = 6;
// A free TCP port may be taken on UDP: so many tries find one free on both.
constexpr int kFreePortTries = 8;

} // namespace

Portmapper::Portmapper(quint16 corePort, QObject* parent) : QObject(parent), corePort_(corePort) {
    connect(&tcp_, &QTcpServer::newConnection, this, &Portmapper::Accept);
    connect(&udp_, &QUdpSocket::readyRead, this, &Portmapper::ReadDatagrams);
}

bool Portmapper::Listen(quint16 port, QString* error) {
    bool listening = ListenOn(port);
    for (int i = 1; !listening && port == 0 && i < kFreePortTries; ++i)
        listening = ListenOn(0);
    if (!listening)
        *error = QStringLiteral("the portmapper cannot listen on port %1 (TCP and UDP): %2")
                     .arg(port)
                     .arg(tcp_.isListening() ? udp_.errorString() : tcp_.errorString());
    return listening;
}

bool Portmapper::ListenOn(quint16 port) {
    tcp_.close();
    udp_.close();
    if (!tcp_.listen(QHostAddress::LocalHost, port))
        return false;
    port_ = tcp_.serverPort();
    return udp_.bind(QHostAddress::LocalHost, port_);
}

void Portmapper::Accept() {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray stream = socket->property("stream").toByteArray() + socket->readAll();
            QByteArray record;
            while (TakeRecord(stream, &record))
                socket->write(Frame(Reply(record), 0));
            socket->setProperty("stream", stream);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void Portmapper::ReadDatagrams() {
    while (udp_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udp_.receiveDatagram();
        udp_.writeDatagram(datagram.makeReply(Reply(datagram.data())));
    }
}

QByteArray Portmapper::Reply(const QByteArray& record) const {
    RpcCall call;
    if (!ReadCall(record, &call) || call.program != kPortmapperProgram || call.version != 2)
        return AcceptedReply(call.xid, 1);
    if (call.procedure == 0) // the null procedure, a client's ping
        return AcceptedReply(call.xid, 0);
    if (call.procedure != kGetPort)
        return AcceptedReply(call.xid, 3);
    const quint32 program = call.args.Word();
    const quint32 version = call.args.Word();
    const quint32 protocol = call.args.Word();
    const bool core = program == kCoreProgram && version == 1 && protocol == kTcp;
    QByteArray results;
    PutWord(results, core ? corePort_ : 0);
    return AcceptedReply(call.xid, 0, results);
}
