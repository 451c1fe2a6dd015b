#include "sim/bench/SerialLine.h"

#include <QSocketNotifier>

SerialLine::SerialLine(Responder responder, QObject* parent)
    : QObject(parent), responder_(std::move(responder)) {
    burstTimer_.setInterval(kBurstGapMs);
    connect(&burstTimer_, &QTimer::timeout, this, &SerialLine::SendNextBurst);
}

SerialLine::~SerialLine() = default;

bool SerialLine::Open(QString* error) {
    if (!pty_.Open(error))
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(pty_.MasterFd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SerialLine::OnReadable);
    return true;
}

void SerialLine::OnReadable() {
    const QByteArray received = pty_.ReadAvailable();
    if (received.isEmpty())
        return;
    for (const QByteArray& answer : responder_(received)) {
        if (faults_.delayMs > 0)
            QTimer::singleShot(faults_.delayMs, this, [this, answer] { Queue(answer); });
        else
            Queue(answer);
    }
}

void SerialLine::Queue(const QByteArray& answer) {
    if (faults_.garbageBetweenFrames)
        outgoing_ += kGarbage;
    outgoing_ += answer;
    if (faults_.burstBytes <= 0) {
        Send(outgoing_);
        outgoing_.clear();
    } else if (!burstTimer_.isActive()) {
        SendNextBurst();
        burstTimer_.start();
    }
}

void SerialLine::SendNextBurst() {
    const qsizetype n = std::min<qsizetype>(outgoing_.size(), std::max(1, faults_.burstBytes));
    Send(outgoing_.left(n));
    outgoing_.remove(0, n);
    if (outgoing_.isEmpty())
        burstTimer_.stop();
}

void SerialLine::Send(const QByteArray& bytes) {
    if (!bytes.isEmpty())
        pty_.Write(bytes);
}
