#include "visa/Vxi11Io.h"

#include "visa/TcpWait.h"
#include "visa/VisaLog.h"
#include "visa/Xdr.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 kPortmapper = 100000;
constexpr quint32 kPortmapperVersion = 2;
constexpr quint32 kGetPort = 3;
constexpr quint32 kTcp = 6;
constexpr quint32 kCore = 0x0607AF;
constexpr quint32 kCoreVersion = 1;

enum CoreProcedure : quint32 {
    kCreateLink = 10,
    kDeviceWrite = 11,
    kDeviceRead = 12,
    kDeviceReadStb = 13,
    kDeviceClear = 15,
    kDestroyLink = 23,
};

constexpr quint32 kEndFlag = 8;
constexpr quint32 kReasonRequestCount = 1;
constexpr quint32 kReasonEnd = 4;
// Gateways answer slowly: the socket waits this much longer than the gateway's own time-out,
// so that the gateway's time-out error and not a lost reply is what a slow device gives.
constexpr qint64 kReplyMarginMs = 2000;
constexpr quint32 kTimeoutError = 15;

struct DeviceError {
    quint32 code;
    ViStatus status;
    const char* words;
};

const DeviceError kDeviceErrors[] = {
    {1, VI_ERROR_IO, "the gateway could not parse the call"},
    {3, VI_ERROR_RSRC_NFOUND, "device not accessible"},
    {4, VI_ERROR_CONN_LOST, "invalid link (the gateway no longer knows it)"},
    {5, VI_ERROR_IO, "parameter error"},
    {6, VI_ERROR_IO, "channel not established"},
    {8, VI_ERROR_NSUP_OPER, "operation not supported"},
    {9, VI_ERROR_ALLOC, "the gateway is out of resources"},
    {11, VI_ERROR_RSRC_LOCKED, "locked by another link"},
    {12, VI_ERROR_IO, "no lock held by this link"},
    {17, VI_ERROR_IO, "I/O error on the bus"},
    {23, VI_ERROR_ABORT, "aborted"},
    {29, VI_ERROR_IO, "channel already established"},
};

QDeadlineTimer SocketDeadline(const QDeadlineTimer& io) {
    if (io.isForever())
        return io;
    return QDeadlineTimer(std::max<qint64>(io.remainingTime(), 0) + kReplyMarginMs);
}

// The core channel's port from the host's portmapper.
quint16 CorePort(const QString& host, quint16 portmapperPort, ViStatus* status, QString* detail) {
    const QDeadlineTimer deadline(IoAttributes::kDefaultTimeoutMs);
    RpcClient portmapper;
    if (!portmapper.Connect(host, portmapperPort, RemainingMs(deadline), status, detail)) {
        *detail = QStringLiteral("no portmapper: %1").arg(*detail);
        return 0;
    }
    XdrWriter query;
    query.Word(kCore).Word(kCoreVersion).Word(kTcp).Word(0);
    QByteArray results;
    *status = portmapper.Call(kPortmapper, kPortmapperVersion, kGetPort, query.Bytes(), deadline,
                              &results, detail);
    XdrReader reply(results);
    const quint32 port = reply.Word();
    if (*status == VI_SUCCESS && (!reply.Ok() || port == 0 || port > 65535)) {
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("%1 serves no VXI-11 instruments (its portmapper knows no core "
                                 "channel)")
                      .arg(host);
    }
    return *status == VI_SUCCESS ? static_cast<quint16>(port) : 0;
}

} // namespace

std::unique_ptr<Vxi11Io> Vxi11Io::Open(const Vxi11Address& address, quint16 portmapperPort,
                                       ViStatus* status, QString* detail) {
    quint16 port = address.corePort;
    if (port == 0)
        port = CorePort(address.host, portmapperPort, status, detail);
    if (port == 0)
        return nullptr;
    std::unique_ptr<Vxi11Io> io(new Vxi11Io);
    if (!io->rpc_.Connect(address.host, port, static_cast<int>(IoAttributes::kDefaultTimeoutMs),
                          status, detail))
        return nullptr;
    *status = io->CreateLink(address.device);
    if (*status != VI_SUCCESS) {
        *detail = io->lastDetail_;
        return nullptr;
    }
    qCDebug(lcVisa).noquote() << "VXI-11 link" << io->link_ << "to" << address.device << "on"
                              << address.host << "takes" << io->maxRecvSize_ << "bytes a write";
    return io;
}

ViStatus Vxi11Io::CreateLink(const QString& device) {
    XdrWriter arguments;
    const auto clientId = static_cast<quint32>(QCoreApplication::applicationPid());
    // No lock is taken or waited for: a device locked by another link is said at once.
    arguments.Word(clientId).Word(0).Word(0).Opaque(device.toLatin1());
    XdrReader results({});
    const ViStatus status =
        Core(kCreateLink, arguments, DeadlineFor(attributes_.TimeoutMs()), &results);
    if (status != VI_SUCCESS) {
        lastDetail_ = QStringLiteral("no link to %1: %2").arg(device, lastDetail_);
        return status;
    }
    link_ = results.Word();
    results.Word(); // the abort channel's port: device_abort is not used
    maxRecvSize_ = results.Word();
    if (!results.Ok() || maxRecvSize_ == 0) {
        lastDetail_ = QStringLiteral("the gateway's reply to create_link cannot be read");
        return VI_ERROR_IO;
    }
    linked_ = true;
    return VI_SUCCESS;
}

Vxi11Io::~Vxi11Io() {
    if (!linked_ || !rpc_.Connected())
        return;
    XdrWriter arguments;
    arguments.Word(link_);
    XdrReader results({});
    Core(kDestroyLink, arguments, QDeadlineTimer(IoAttributes::kDefaultTimeoutMs), &results);
}

ViStatus Vxi11Io::Core(quint32 procedure, XdrWriter& arguments, const QDeadlineTimer& deadline,
                       XdrReader* results) {
    QByteArray bytes;
    const ViStatus status = rpc_.Call(kCore, kCoreVersion, procedure, arguments.Bytes(),
                                      SocketDeadline(deadline), &bytes, &lastDetail_);
    if (status != VI_SUCCESS)
        return status;
    *results = XdrReader(bytes);
    const quint32 error = results->Word();
    if (!results->Ok()) {
        lastDetail_ = QStringLiteral("the gateway sent a reply that cannot be read");
        return VI_ERROR_IO;
    }
    if (error == 0)
        return VI_SUCCESS;
    if (error == kTimeoutError)
        return Expired("the gateway's I/O time-out");
    const auto known =
        std::find_if(std::begin(kDeviceErrors), std::end(kDeviceErrors),
                     [error](const DeviceError& entry) { return entry.code == error; });
    const bool isKnown = known != std::end(kDeviceErrors);
    lastDetail_ = QStringLiteral("%1 (VXI-11 error %2)")
                      .arg(isKnown ? QLatin1String(known->words) : QLatin1String("unknown error"))
                      .arg(error);
    return isKnown ? known->status : VI_ERROR_IO;
}

quint32 Vxi11Io::TimeLeft(const QDeadlineTimer& deadline) const {
    if (deadline.isForever())
        return VI_TMO_INFINITE;
    return static_cast<quint32>(std::max<qint64>(deadline.remainingTime(), 1));
}

ViStatus Vxi11Io::Expired(const char* what) {
    lastDetail_ = QStringLiteral("no reply within %1 ms (%2)")
                      .arg(attributes_.TimeoutMs())
                      .arg(QLatin1String(what));
    return VI_ERROR_TMO;
}

ViStatus Vxi11Io::Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) {
    *written = 0;
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    do {
        const quint32 chunk = std::min(count - *written, maxRecvSize_);
        const bool last = *written + chunk == count;
        XdrWriter arguments;
        arguments.Word(link_).Word(TimeLeft(deadline)).Word(0).Word(last ? kEndFlag : 0);
        arguments.Opaque(QByteArray(reinterpret_cast<const char*>(data) + *written,
                                    static_cast<qsizetype>(chunk)));
        XdrReader results({});
        const ViStatus status = Core(kDeviceWrite, arguments, deadline, &results);
        if (status != VI_SUCCESS)
            return status;
        *written += std::min(results.Word(), chunk);
        if (*written < count && deadline.hasExpired())
            return Expired("the device took no more data");
    } while (*written < count);
    return VI_SUCCESS;
}

ViStatus Vxi11Io::Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) {
    *got = 0;
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    for (;;) {
        XdrWriter arguments;
        arguments.Word(link_).Word(count - *got).Word(TimeLeft(deadline)).Word(0).Word(0).Word(0);
        XdrReader results({});
        const ViStatus status = Core(kDeviceRead, arguments, deadline, &results);
        if (status != VI_SUCCESS)
            return status;
        const quint32 reason = results.Word();
        const QByteArray data = results.Opaque().left(count - *got);
        std::memcpy(buffer + *got, data.constData(), static_cast<size_t>(data.size()));
        *got += static_cast<ViUInt32>(data.size());
        // Only END ends a message: a full chunk (REQCNT) without it has more to come.
        if ((reason & kReasonEnd) != 0)
            return VI_SUCCESS;
        if (*got == count)
            return VI_SUCCESS_MAX_CNT;
        if (deadline.hasExpired())
            return Expired((reason & kReasonRequestCount) != 0 ? "no end of the message"
                                                               : "the message never ended");
    }
}

ViStatus Vxi11Io::Clear() {
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    XdrWriter arguments;
    arguments.Word(link_).Word(0).Word(0).Word(TimeLeft(deadline));
    XdrReader results({});
    return Core(kDeviceClear, arguments, deadline, &results);
}

ViStatus Vxi11Io::ReadStatusByte(ViUInt16* statusByte) {
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    XdrWriter arguments;
    arguments.Word(link_).Word(0).Word(0).Word(TimeLeft(deadline));
    XdrReader results({});
    const ViStatus status = Core(kDeviceReadStb, arguments, deadline, &results);
    if (status == VI_SUCCESS)
        *statusByte = static_cast<ViUInt16>(results.Word() & 0xFFu);
    return status;
}

QString Vxi11Io::ErrorDetail(ViStatus /*status*/) const {
    return lastDetail_;
}

std::unique_ptr<InstrumentIo> OpenVxi11(const Vxi11Address& address, ViStatus* status,
                                        QString* detail) {
    return Vxi11Io::Open(address, Vxi11Io::kPortmapperPort, status, detail);
}

std::unique_ptr<InstrumentIo> OpenVxi11Board(const QString& interfaceText, int primaryAddress,
                                             ViStatus* status, QString* detail) {
    Vxi11Address gateway;
    bool valid = false;
    if (!ParseVxi11Board(interfaceText, &gateway, &valid) || !valid) {
        *status = VI_ERROR_INV_SETUP;
        *detail = QStringLiteral("the gateway \"%1\" is not written like "
                                 "TCPIP0::host::gpib0::VXI11 or TCPIP0::host,port::gpib0::VXI11")
                      .arg(interfaceText);
        return nullptr;
    }
    gateway.device += QStringLiteral(",%1").arg(primaryAddress);
    return OpenVxi11(gateway, status, detail);
}
