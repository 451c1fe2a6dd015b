#include "tests/support/ScriptedServer.h"

#include <QMutexLocker>
#include <QTcpSocket>

ScriptedServer::ScriptedServer() {
    replies_.insert("*OPC?", "1");
    replies_.insert(":SYST:ERR?", "0,\"No error\"");
    replies_.insert("SYST:ERR?", "0,\"No error\"");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadLines(socket); });
    });
}

bool ScriptedServer::Listen() {
    return server_.listen(QHostAddress::LocalHost);
}

void ScriptedServer::SetReply(const QByteArray& line, const QByteArray& reply) {
    QMutexLocker lock(&mutex_);
    replies_.insert(line, reply);
}

void ScriptedServer::QueueReply(const QByteArray& line, const QByteArray& reply) {
    QMutexLocker lock(&mutex_);
    queuedReplies_[line].append(reply);
}

QList<QByteArray> ScriptedServer::Lines() const {
    QMutexLocker lock(&mutex_);
    return lines_;
}

QList<QByteArray> ScriptedServer::Commands() const {
    QList<QByteArray> commands;
    for (const QByteArray& line : Lines()) {
        if (line != ":SYST:ERR?" && line != "SYST:ERR?" && line != "*OPC?")
            commands.append(line);
    }
    return commands;
}

void ScriptedServer::CloseAfterNextLine() {
    QMutexLocker lock(&mutex_);
    closeAfterNextLine_ = true;
}

void ScriptedServer::ReadLines(QTcpSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().trimmed();
        QMutexLocker lock(&mutex_);
        lines_.append(line);
        if (closeAfterNextLine_) {
            socket->close();
            return;
        }
        const auto queued = queuedReplies_.find(line);
        const auto reply = replies_.find(line);
        if (queued != queuedReplies_.end() && !queued->isEmpty())
            socket->write(queued->takeFirst() + '\n');
        else if (reply != replies_.end())
            socket->write(*reply + '\n');
    }
}
