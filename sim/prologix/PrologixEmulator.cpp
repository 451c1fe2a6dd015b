#include "sim/prologix/PrologixEmulator.h"

#include "sim/scpi/ScpiInstrument.h"

#include <QMutexLocker>

namespace {

constexpr char kEscape = 27;
constexpr int kPieceGapMs = 2;
constexpr int kMessageAvailable = 0x10; // MAV in the status byte

} // namespace

PrologixEmulator::PrologixEmulator(QMap<int, ScpiInstrument*> instruments,
                                   const PrologixFaults& faults, Sender send, QObject* parent)
    : QObject(parent), instruments_(std::move(instruments)), faults_(faults),
      send_(std::move(send)) {
    pieceTimer_.setInterval(kPieceGapMs);
    connect(&pieceTimer_, &QTimer::timeout, this, &PrologixEmulator::SendNextPiece);
}

QList<QByteArray> PrologixEmulator::Commands() const {
    const QMutexLocker lock(&mutex_);
    return commands_;
}

void PrologixEmulator::Receive(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (!escaped_ && c == kEscape) {
            escaped_ = true;
            continue;
        }
        if (!escaped_ && (c == '\r' || c == '\n')) {
            EndMessage();
            continue;
        }
        // Only an unescaped "+" at the start makes a command.
        if (message_.isEmpty())
            command_ = !escaped_ && c == '+';
        message_ += c;
        escaped_ = false;
    }
}

void PrologixEmulator::EndMessage() {
    if (message_.isEmpty())
        return;
    if (command_ && message_.startsWith("++"))
        Command(message_.mid(2).trimmed());
    else
        Payload(message_);
    message_.clear();
}

void PrologixEmulator::Command(const QByteArray& command) {
    {
        const QMutexLocker lock(&mutex_);
        commands_.append("++" + command);
    }
    const QList<QByteArray> words = command.split(' ');
    const QByteArray& name = words.first();
    const QByteArray argument = words.value(1);
    if (name == "addr" && argument.isEmpty())
        Answer(QByteArray::number(address_));
    else if (name == "addr" && !faults_.ignoreAddress && argument.toInt() >= 0 &&
             argument.toInt() <= 30)
        address_ = argument.toInt();
    else if (name == "read")
        Read();
    else if (name == "read_tmo_ms")
        readTimeoutMs_ = argument.toInt();
    else if (name == "eot_enable")
        eotEnabled_ = argument == "1";
    else if (name == "eot_char")
        eotChar_ = static_cast<char>(argument.toInt());
    else if (name == "clr")
        outputs_.remove(address_);
    else if (name == "spoll")
        Answer(QByteArray::number(outputs_.contains(address_) ? kMessageAvailable : 0));
    else if (name == "ver")
        Answer("Prologix GPIB-ETHERNET emulator of the rftune bench");
}

void PrologixEmulator::Payload(const QByteArray& payload) {
    ScpiInstrument* instrument = instruments_.value(address_);
    if (!instrument)
        return; // nobody listens at that address
    // EOI on the last byte ends the program message even without a line feed.
    for (QByteArray line : payload.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (const std::optional<QByteArray> reply = instrument->Receive(line))
            outputs_[address_] = {*reply + '\n', QDeadlineTimer(faults_.replyDelayMs)};
    }
}

void PrologixEmulator::Read() {
    if (!outputs_.contains(address_))
        return;
    const qint64 waitMs = outputs_[address_].ready.remainingTime();
    if (waitMs <= 0)
        SendReply();
    else if (waitMs <= readTimeoutMs_)
        QTimer::singleShot(static_cast<int>(waitMs), this, &PrologixEmulator::SendReply);
    // Otherwise the adapter's read time-out passes first and the host hears nothing.
}

void PrologixEmulator::SendReply() {
    const auto output = outputs_.constFind(address_);
    if (output == outputs_.cend() || !output->ready.hasExpired())
        return;
    Send(eotEnabled_ ? output->reply + eotChar_ : output->reply);
    outputs_.remove(address_);
}

void PrologixEmulator::Send(const QByteArray& bytes) {
    if (faults_.fragmentBytes <= 0) {
        send_(bytes);
        return;
    }
    outgoing_ += bytes;
    if (!pieceTimer_.isActive()) {
        SendNextPiece();
        pieceTimer_.start();
    }
}

void PrologixEmulator::SendNextPiece() {
    send_(outgoing_.left(faults_.fragmentBytes));
    outgoing_.remove(0, std::min<qsizetype>(outgoing_.size(), faults_.fragmentBytes));
    if (outgoing_.isEmpty())
        pieceTimer_.stop();
}
