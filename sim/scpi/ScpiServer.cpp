#include "sim/scpi/ScpiServer.h"

#include "sim/scpi/ScpiInstrument.h"

#include <QTcpSocket>

ScpiServer::ScpiServer(ScpiInstrument& instrument, QObject* parent)
    : QObject(parent), instrument_(instrument) {
    connect(&server_, &QTcpServer::newConnection, this, &ScpiServer::Accept);
}

bool ScpiServer::Listen(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port))
        return false;
    port_.store(server_.serverPort());
    return true;
}

void ScpiServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections_;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadLines(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --connections_;
            socket->deleteLater();
        });
    }
}

void ScpiServer::ReadLines(QTcpSocket* socket) {
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (const std::optional<QByteArray> reply = instrument_.Receive(line))
            socket->write(*reply + '\n');
    }
}
