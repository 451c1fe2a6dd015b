#include "visa/PrologixAdapter.h"

#include "base/StationClock.h"
#include "visa/IoAttributes.h"
#include "visa/VisaLog.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <utility>

namespace {

constexpr int kConnectTimeoutMs = 2000;
constexpr char kEscape = 27;

// CR and LF would end the host's message, ESC and "+" would start an escape or a command.
QByteArray Escaped(const QByteArray& data) {
    QByteArray wire;
    wire.reserve(data.size() + 8);
    for (const char c : data) {
        if (c == kEscape || c == '\r' || c == '\n' || c == '+')
            wire += kEscape;
        wire += c;
    }
    return wire + '\n';
}

std::unique_ptr<PrologixLine> OpenLine(const QString& interface, ViStatus* status,
                                       QString* detail) {
    // The GPIB-ETHERNET listens on 1234 unless a port is given.
    static const QRegularExpression tcp(
        QStringLiteral("^PRLGX-TCPIP\\d*::([^:]+)(?:::(\\d{1,5}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression serial(QStringLiteral("^PRLGX-ASRL\\d*::(.+)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch host = tcp.match(interface);
    const uint port = host.hasCaptured(2) ? host.captured(2).toUInt() : 1234;
    if (host.hasMatch() && port <= 65535)
        return PrologixLine::ConnectTcp(host.captured(1), static_cast<quint16>(port),
                                        kConnectTimeoutMs, status, detail);
    if (const QRegularExpressionMatch device = serial.match(interface); device.hasMatch())
        return PrologixLine::OpenSerial(device.captured(1), status, detail);
    *status = VI_ERROR_INV_RSRC_NAME;
    *detail = QStringLiteral("%1 is no Prologix interface (PRLGX-TCPIP0::host::1234 or "
                             "PRLGX-ASRL::/dev/ttyUSB0)")
                  .arg(interface);
    return nullptr;
}

} // namespace

std::shared_ptr<PrologixAdapter> PrologixAdapter::Shared(const QString& interface, ViStatus* status,
                                                         QString* detail) {
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<PrologixAdapter>> adapters;
    const std::lock_guard lock(mutex);
    const QString key = interface.trimmed();
    if (std::shared_ptr<PrologixAdapter> open = adapters[key].lock(); open && !open->Lost()) {
        *status = VI_SUCCESS;
        return open;
    }
    std::unique_ptr<PrologixLine> line = OpenLine(key, status, detail);
    if (!line)
        return nullptr;
    auto adapter = std::make_shared<PrologixAdapter>(std::move(line));
    *status = adapter->SetUp(detail);
    if (*status < VI_SUCCESS)
        return nullptr;
    adapters[key] = adapter;
    return adapter;
}

PrologixAdapter::PrologixAdapter(std::unique_ptr<PrologixLine> line)
    // The station's time scale shortens the adapter's read period on the simulated bench.
    : line_(std::move(line)),
      readPeriodMs_(
          std::clamp(static_cast<int>(kReadPeriodMs * StationClock::Scale()), 1, kReadPeriodMs)) {}

bool PrologixAdapter::Lost() {
    const std::lock_guard lock(mutex_);
    return !lostDetail_.isEmpty();
}

ViStatus PrologixAdapter::SetUp(QString* detail) {
    // Controller mode; no read after every write (a write without a reply would leave the
    // instrument "Query Unterminated"); EOI on the last byte and no terminator added, so the
    // bytes go as written; the adapter's LF after a message that ended with EOI.
    const QByteArray setUp = "++mode 1\n++auto 0\n++eoi 1\n++eos 3\n++eot_enable 1\n"
                             "++eot_char 10\n++read_tmo_ms " +
                             QByteArray::number(readPeriodMs_) + '\n';
    // An adapter answers "++ver" at once; its read period is ample.
    const QDeadlineTimer deadline(readPeriodMs_);
    QByteArray version;
    ViStatus status = Send(setUp, deadline, detail);
    if (status >= VI_SUCCESS)
        status = AnswerLine("++ver\n", &version, deadline, detail);
    if (status == VI_ERROR_TMO)
        *detail = QStringLiteral("no Prologix adapter answers at %1").arg(Where());
    if (status < VI_SUCCESS)
        return status;
    version_ = QString::fromLatin1(version);
    qCInfo(lcVisa).noquote() << "Prologix adapter at" << Where() << "is" << version_;
    return VI_SUCCESS;
}

ViStatus PrologixAdapter::Send(const QByteArray& bytes, const QDeadlineTimer& deadline,
                               QString* detail) {
    if (!lostDetail_.isEmpty()) {
        *detail = lostDetail_;
        return VI_ERROR_CONN_LOST;
    }
    const ViStatus status = line_->Send(bytes, deadline, detail);
    if (status == VI_ERROR_CONN_LOST)
        lostDetail_ = *detail;
    return status;
}

ViStatus PrologixAdapter::AnswerLine(const QByteArray& command, QByteArray* answer,
                                     const QDeadlineTimer& deadline, QString* detail) {
    ViStatus status = Send(command, deadline, detail);
    qsizetype lineFeed = -1;
    while (status >= VI_SUCCESS && (lineFeed = received_.indexOf('\n')) < 0) {
        status = line_->Receive(&received_, deadline, detail);
        if (status == VI_ERROR_CONN_LOST)
            lostDetail_ = *detail;
    }
    if (status == VI_ERROR_TMO)
        *detail = QStringLiteral("the Prologix adapter at %1 does not answer %2")
                      .arg(Where(), QString::fromLatin1(command.trimmed()));
    if (status < VI_SUCCESS)
        return status;
    *answer = received_.left(lineFeed).trimmed();
    received_.remove(0, lineFeed + 1);
    return VI_SUCCESS;
}

ViStatus PrologixAdapter::Select(int address, const QDeadlineTimer& deadline, QString* detail) {
    if (address == address_)
        return VI_SUCCESS;
    address_ = -1;
    QByteArray answer;
    const ViStatus status = AnswerLine("++addr " + QByteArray::number(address) + "\n++addr\n",
                                       &answer, deadline, detail);
    if (status < VI_SUCCESS)
        return status;
    if (answer != QByteArray::number(address)) {
        *detail = QStringLiteral("the Prologix adapter at %1 did not take GPIB address %2 (it "
                                 "answered \"%3\")")
                      .arg(Where())
                      .arg(address)
                      .arg(QString::fromLatin1(answer));
        return VI_ERROR_IO;
    }
    address_ = address;
    return VI_SUCCESS;
}

ViStatus PrologixAdapter::Begin(int address, const QDeadlineTimer& deadline, QString* detail) {
    // A reply nobody read, or the adapter's LF after a message already handed over.
    continuing_ = -1;
    received_.clear();
    line_->Discard();
    return Select(address, deadline, detail);
}

ViStatus PrologixAdapter::Write(int address, const QByteArray& data, ViUInt32 timeoutMs,
                                QString* detail) {
    const std::lock_guard lock(mutex_);
    const QDeadlineTimer deadline = DeadlineFor(timeoutMs);
    const ViStatus status = Begin(address, deadline, detail);
    return status < VI_SUCCESS ? status : Send(Escaped(data), deadline, detail);
}

bool PrologixAdapter::TakeMessage(qsizetype count, QByteArray* data, bool* ended) {
    // The instrument's LF that came with EOI is followed by the adapter's: a LF inside a message
    // is none of its end. A LF at count waits for the next byte to tell which it is.
    const qsizetype end = received_.indexOf("\n\n");
    *ended = end >= 0 && end < count;
    if (*ended) {
        *data = received_.left(end + 1);
        received_.remove(0, end + 2);
        return true;
    }
    if (received_.size() < count || (received_.size() == count && received_.endsWith('\n')))
        return false;
    *data = received_.left(count);
    received_.remove(0, count);
    return true;
}

ViStatus PrologixAdapter::Read(int address, QByteArray* data, qsizetype count, ViUInt32 timeoutMs,
                               QString* detail) {
    const std::lock_guard lock(mutex_);
    const QDeadlineTimer deadline = DeadlineFor(timeoutMs);
    ViStatus status = VI_SUCCESS;
    if (continuing_ != address) {
        status = Begin(address, deadline, detail);
        if (status >= VI_SUCCESS)
            status = Send("++read eoi\n", deadline, detail);
    }
    continuing_ = -1;
    QDeadlineTimer period(readPeriodMs_ + readPeriodMs_ / 2);
    bool ended = false;
    while (status >= VI_SUCCESS && !TakeMessage(count, data, &ended)) {
        status = line_->Receive(&received_, std::min(deadline, period), detail);
        if (status == VI_ERROR_CONN_LOST)
            lostDetail_ = *detail;
        if (status == VI_ERROR_TMO && !deadline.hasExpired()) {
            // The adapter gave up waiting for the instrument: ask it to read again.
            status = Send("++read eoi\n", deadline, detail);
            period.setRemainingTime(readPeriodMs_ + readPeriodMs_ / 2);
        }
    }
    if (status == VI_ERROR_TMO) {
        *detail = QStringLiteral("no reply from GPIB address %1 within %2 ms")
                      .arg(address)
                      .arg(timeoutMs);
        // As VISA does, a read that fails still hands over what had arrived.
        *data = received_.left(count);
        received_.clear();
    }
    if (status < VI_SUCCESS)
        return status;
    continuing_ = ended ? -1 : address;
    return ended ? VI_SUCCESS : VI_SUCCESS_MAX_CNT;
}

ViStatus PrologixAdapter::Clear(int address, ViUInt32 timeoutMs, QString* detail) {
    const std::lock_guard lock(mutex_);
    const QDeadlineTimer deadline = DeadlineFor(timeoutMs);
    const ViStatus status = Begin(address, deadline, detail);
    return status < VI_SUCCESS ? status : Send("++clr\n", deadline, detail);
}

ViStatus PrologixAdapter::StatusByte(int address, ViUInt16* statusByte, ViUInt32 timeoutMs,
                                     QString* detail) {
    const std::lock_guard lock(mutex_);
    const QDeadlineTimer deadline = DeadlineFor(timeoutMs);
    QByteArray answer;
    ViStatus status = Begin(address, deadline, detail);
    if (status >= VI_SUCCESS)
        status = AnswerLine("++spoll\n", &answer, deadline, detail);
    if (status < VI_SUCCESS)
        return status;
    bool number = false;
    const uint value = answer.toUInt(&number);
    if (!number || value > 255) {
        *detail = QStringLiteral("the Prologix adapter at %1 answered \"%2\" for the status byte "
                                 "of GPIB address %3")
                      .arg(Where(), QString::fromLatin1(answer))
                      .arg(address);
        return VI_ERROR_IO;
    }
    *statusByte = static_cast<ViUInt16>(value);
    return VI_SUCCESS;
}
