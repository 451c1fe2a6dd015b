#include "sim/prologix/PrologixFaces.h"

#include <QSocketNotifier>
#include <QTcpSocket>

PrologixTcpFace::PrologixTcpFace(QMap<int, ScpiInstrument*> instruments,
                                 const PrologixFaults& faults, QObject* parent)
    : QObject(parent), instruments_(std::move(instruments)), faults_(faults) {
    connect(&server_, &QTcpServer::newConnection, this, &PrologixTcpFace::Accept);
}

bool PrologixTcpFace::Listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

QString PrologixTcpFace::InterfaceText() const {
    return QStringLiteral("PRLGX-TCPIP0::127.0.0.1::%1").arg(Port());
}

QList<QByteArray> PrologixTcpFace::Commands() const {
    return latest_ ? latest_->Commands() : QList<QByteArray>{};
}

void PrologixTcpFace::DropConnections() {
    for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>())
        socket->abort();
}

void PrologixTcpFace::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto* emulator = new PrologixEmulator(
            instruments_, faults_, [socket](const QByteArray& bytes) { socket->write(bytes); },
            socket);
        latest_ = emulator;
        connect(socket, &QTcpSocket::readyRead, emulator,
                [socket, emulator] { emulator->Receive(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, emulator] {
            if (latest_ == emulator)
                latest_ = nullptr;
            socket->deleteLater();
        });
    }
}

PrologixSerialFace::PrologixSerialFace(QMap<int, ScpiInstrument*> instruments,
                                       const PrologixFaults& faults, QObject* parent)
    : QObject(parent), emulator_(std::move(instruments), faults,
                                 [this](const QByteArray& bytes) { pty_.Write(bytes); }) {}

PrologixSerialFace::~PrologixSerialFace() = default;

bool PrologixSerialFace::Open(QString* error) {
    if (!pty_.Open(error))
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(pty_.MasterFd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this,
            [this] { emulator_.Receive(pty_.ReadAvailable()); });
    return true;
}

QString PrologixSerialFace::InterfaceText() const {
    return QStringLiteral("PRLGX-ASRL::%1").arg(pty_.SlavePath());
}

void PrologixSerialFace::Unplug() {
    notifier_.reset();
    pty_.Close();
}
