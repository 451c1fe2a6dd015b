#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A loopback SCPI peer with canned replies, for what the virtual instruments do not model:
// every line is recorded, a line with a reply gets it, "*OPC?" and ":SYST:ERR?" (also without
// the colon) have answers of their own, and anything else stays unanswered. Set it up before the
// driver talks to it.
class ScriptedServer : public QObject {
public:
    ScriptedServer();

    bool Listen();
    quint16 Port() const { return server_.serverPort(); }

    // Safe from any thread.
    void SetReply(const QByteArray& line, const QByteArray& reply);
    // A reply given once, before the line's standing one; several are given in order.
    void QueueReply(const QByteArray& line, const QByteArray& reply);
    QList<QByteArray> Lines() const;
    // Lines other than the error-queue and "*OPC?" traffic.
    QList<QByteArray> Commands() const;
    // Closes every connection after the next line (an instrument that went away).
    void CloseAfterNextLine();

private:
    void ReadLines(QTcpSocket* socket);

    QTcpServer server_{this};
    mutable QMutex mutex_;
    QMap<QByteArray, QByteArray> replies_;
    QMap<QByteArray, QList<QByteArray>> queuedReplies_;
    QList<QByteArray> lines_;
    bool closeAfterNextLine_ = false;
};
