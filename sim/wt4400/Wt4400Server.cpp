#include "Wt4400Server.h"

#include "Virtual4400.h"

#include <QTcpSocket>

Wt4400Server::Wt4400Server(Virtual4400& instrument, QObject* parent)
    : QObject(parent), instrument_(instrument) {
    connect(&server_, &QTcpServer::newConnection, this, &Wt4400Server::Accept);
}

bool Wt4400Server::Listen(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port))
        return false;
    port_.store(server_.serverPort());
    return true;
}

void Wt4400Server::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections_;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadLines(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --connections_;
            socket->deleteLater();
        });
    }
}

void Wt4400Server::ReadLines(QTcpSocket* socket) {
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (const std::optional<QByteArray> reply = instrument_.Receive(line))
            socket->write(*reply + '\n');
    }
}
