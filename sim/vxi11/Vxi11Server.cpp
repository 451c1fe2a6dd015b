#include "sim/vxi11/Vxi11Server.h"

#include "sim/scpi/ScpiInstrument.h"
#include "sim/vxi11/RpcWire.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace {

constexpr quint32 kCoreProgram = 0x0607AF;
constexpr quint32 kProgramUnavailable = 1;
constexpr quint32 kProcedureUnavailable = 3;
constexpr quint32 kDeviceNotAccessible = 3;
constexpr quint32 kInvalidLink = 4;
constexpr quint32 kNotSupported = 8;
constexpr quint32 kLockedByAnotherLink = 11;
constexpr quint32 kIoTimeout = 15;
constexpr quint32 kEndFlag = 8;
constexpr quint32 kReasonRequestCount = 1;
constexpr quint32 kReasonEnd = 4;
constexpr quint32 kMessageAvailable = 0x10;
// A read with nothing to read waits out its time-out, as a device would; this long at most.
constexpr quint32 kLongestReadWaitMs = 60000;

QByteArray Words(std::initializer_list<quint32> words) {
    QByteArray out;
    for (quint32 word : words)
        PutWord(out, word);
    return out;
}

QByteArray WithoutLineEnd(QByteArray line) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

Vxi11Server::Vxi11Server(QObject* parent) : QObject(parent) {
    connect(&server_, &QTcpServer::newConnection, this, &Vxi11Server::Accept);
}

Vxi11Server::~Vxi11Server() {
    // The sockets go first: a socket's end is told to a slot that needs the connection table.
    const QList<QTcpSocket*> sockets = connections_.keys();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        delete socket;
    }
}

void Vxi11Server::AddDevice(const QString& name, ScpiInstrument& instrument) {
    devices_[name.toLower()].instrument = &instrument;
}

bool Vxi11Server::Listen(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port))
        return false;
    port_ = server_.serverPort();
    return true;
}

void Vxi11Server::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connections_.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            Connection& connection = connections_[socket];
            connection.stream += socket->readAll();
            QByteArray record;
            while (TakeRecord(connection.stream, &record))
                connection.records.append(record);
            Serve(socket);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            connections_.remove(socket);
            socket->deleteLater();
        });
    }
}

void Vxi11Server::Serve(QTcpSocket* socket) {
    const auto it = connections_.find(socket);
    while (it != connections_.end() && !it->busy && !it->records.isEmpty()) {
        if (++calls_ == faults_.dropAtCall) {
            socket->abort();
            return;
        }
        int delayMs = 0;
        const QByteArray reply = Reply(it->records.takeFirst(), &delayMs);
        delayMs = std::max(delayMs, faults_.delayMs);
        if (delayMs == 0) {
            Send(socket, reply);
            continue;
        }
        it->busy = true;
        QTimer::singleShot(delayMs, socket, [this, socket, reply] {
            if (!connections_.contains(socket))
                return;
            connections_[socket].busy = false;
            Send(socket, reply);
            Serve(socket);
        });
    }
}

void Vxi11Server::Send(QTcpSocket* socket, const QByteArray& reply) {
    Connection& connection = connections_[socket];
    if (faults_.staleReplies && !connection.lastReply.isEmpty())
        socket->write(Frame(connection.lastReply, faults_.fragmentBytes));
    socket->write(Frame(reply, faults_.fragmentBytes));
    connection.lastReply = reply;
}

QByteArray Vxi11Server::Reply(const QByteArray& record, int* delayMs) {
    RpcCall call;
    if (!ReadCall(record, &call))
        return AcceptedReply(call.xid, kProcedureUnavailable);
    if (call.program != kCoreProgram || call.version != 1)
        return AcceptedReply(call.xid, kProgramUnavailable);
    const Answer answer = Core(call.procedure, call.args);
    if (answer.results.isEmpty())
        return AcceptedReply(call.xid, kProcedureUnavailable);
    *delayMs = answer.delayMs;
    return AcceptedReply(call.xid, 0, answer.results);
}

Vxi11Server::Answer Vxi11Server::Core(quint32 procedure, WireIn& args) {
    switch (procedure) {
    case 10:
        return CreateLink(args);
    case 11:
        return Write(args);
    case 12:
        return Read(args);
    case 13:
        return ReadStatusByte(args);
    case 15:
        return Clear(args);
    case 23:
        return DestroyLink(args);
    case 14: // trigger, remote, local, lock, unlock, enable_srq, docmd, interrupt channels
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 22:
    case 25:
    case 26:
        return {Words({kNotSupported})};
    default:
        return {};
    }
}

Vxi11Server::Device* Vxi11Server::Linked(quint32 link) {
    const auto it = links_.find(link);
    return it == links_.end() ? nullptr : &devices_[*it];
}

bool Vxi11Server::LockedElsewhere(quint32 link) const {
    return links_.value(link) == faults_.lockedDevice.toLower();
}

Vxi11Server::Answer Vxi11Server::CreateLink(WireIn& args) {
    args.Word(); // client id, lock wanted, lock time-out
    args.Word();
    args.Word();
    const QString name = QString::fromLatin1(args.Opaque()).toLower();
    if (!devices_.contains(name))
        return {Words({kDeviceNotAccessible, 0, 0, 0})};
    const quint32 link = nextLink_++;
    links_[link] = name;
    return {Words({0, link, 0, faults_.maxRecvSize})};
}

Vxi11Server::Answer Vxi11Server::Write(WireIn& args) {
    const quint32 link = args.Word();
    Device* device = Linked(link);
    args.Word(); // io and lock time-outs
    args.Word();
    const quint32 flags = args.Word();
    const QByteArray data = args.Opaque();
    if (!device)
        return {Words({kInvalidLink, 0})};
    if (LockedElsewhere(link))
        return {Words({kLockedByAnotherLink, 0})};
    device->input += data;
    qsizetype lineFeed = 0;
    while ((lineFeed = device->input.indexOf('\n')) >= 0 || (flags & kEndFlag) != 0) {
        const qsizetype length = lineFeed >= 0 ? lineFeed + 1 : device->input.size();
        const QByteArray line = WithoutLineEnd(device->input.left(length));
        device->input.remove(0, length);
        const std::optional<QByteArray> reply =
            line.isEmpty() ? std::nullopt : device->instrument->Receive(line);
        if (reply)
            device->output.append(*reply + '\n');
        if (lineFeed < 0)
            break;
    }
    return {Words({0, static_cast<quint32>(data.size())})};
}

Vxi11Server::Answer Vxi11Server::Read(WireIn& args) {
    const quint32 link = args.Word();
    Device* device = Linked(link);
    const quint32 requested = args.Word();
    const quint32 ioTimeout = args.Word();
    if (!device)
        return {Words({kInvalidLink, 0, 0})};
    if (LockedElsewhere(link))
        return {Words({kLockedByAnotherLink, 0, 0})};
    if (faults_.timeoutEveryNth > 0 && ++reads_ % faults_.timeoutEveryNth == 0)
        return {Words({kIoTimeout, 0, 0})};
    if (device->output.isEmpty())
        return {Words({kIoTimeout, 0, 0}),
                static_cast<int>(std::clamp<quint32>(ioTimeout, 1, kLongestReadWaitMs))};
    QByteArray& message = device->output.front();
    const auto length = static_cast<qsizetype>(
        std::min({requested, faults_.maxRecvSize, static_cast<quint32>(message.size())}));
    const QByteArray data = message.left(length);
    message.remove(0, length);
    quint32 reason = static_cast<quint32>(length) == requested ? kReasonRequestCount : 0;
    if (message.isEmpty()) {
        device->output.removeFirst();
        reason |= kReasonEnd;
    }
    QByteArray results = Words({0, reason});
    PutOpaque(results, data);
    return {results};
}

Vxi11Server::Answer Vxi11Server::ReadStatusByte(WireIn& args) {
    const Device* device = Linked(args.Word());
    if (!device)
        return {Words({kInvalidLink, 0})};
    return {Words({0, device->output.isEmpty() ? 0 : kMessageAvailable})};
}

Vxi11Server::Answer Vxi11Server::Clear(WireIn& args) {
    Device* device = Linked(args.Word());
    if (!device)
        return {Words({kInvalidLink})};
    device->input.clear();
    device->output.clear();
    return {Words({0})};
}

Vxi11Server::Answer Vxi11Server::DestroyLink(WireIn& args) {
    return {Words({links_.remove(args.Word()) > 0 ? 0 : kInvalidLink})};
}
