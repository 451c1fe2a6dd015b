#include "link/TargetLink.h"

#include "link/Bcommand.h"
#include "link/LinkLog.h"
#include "link/LinkSettings.h"

#include <QPointer>

TargetLink::TargetLink(CComm& comm, int replyTimeoutMs, QObject* parent)
    : CommReceiver(parent), comm_(comm) {
    pollTimer_.setInterval(kPollIntervalMs);
    replyTimer_.setInterval(replyTimeoutMs);
    replyTimer_.setSingleShot(true);
    connect(&pollTimer_, &QTimer::timeout, this, &TargetLink::OnPollTick);
    connect(&replyTimer_, &QTimer::timeout, this, &TargetLink::OnReplyTimeout);
}

TargetLink::~TargetLink() {
    comm_.ForgetReceiver(this);
}

bool TargetLink::SendLine(std::string_view line) {
    if (!IsConnected())
        return false;
    TransmitLine(line);
    return true;
}

void TargetLink::TransmitLine(std::string_view line) {
    EncodeText(line);
    comm_.Purge();
    BuildPacket();
    SendPacket();
}

void TargetLink::BuildPacket() {
    transmitLength_ = 0;
    std::uint8_t body[kFrameStoreSize];
    const int n = FetchFrame(body);
    for (int i = 0; i < n; ++i)
        AppendPacketByte(body[i]);
}

void TargetLink::AppendPacketByte(std::uint8_t b) {
    if (transmitLength_ < kTransmitBufferSize)
        transmit_[transmitLength_++] = b;
}

void TargetLink::SendPacket() {
    WriteFrameByte(STX);
    for (int i = 0; i < transmitLength_; ++i)
        WriteFrameByte(transmit_[i]);
    pollTimer_.start();
    replyTimer_.start();
    WriteFrameByte(STX);
    awaitingReply_ = true;
}

void TargetLink::WriteFrameByte(std::uint8_t b) {
    if (b == STX && !writerInFrame_) {
        writerLength_ = 0;
        writer_[0] = STX;
        writerInFrame_ = true;
        return;
    }
    if (!writerInFrame_)
        return;
    if (writerLength_ + 1 < static_cast<int>(sizeof writer_))
        writer_[++writerLength_] = b;
    // A stuffed 0x02 inside the body is no end: the end also needs the full length.
    if (b == STX && writerLength_ == transmitLength_ + 1) {
        qCDebug(lcLinkTrace).noquote() << "packet" << HexBytes(writer_, writerLength_ + 1);
        comm_.WriteString(writer_, writerLength_ + 1);
        writerInFrame_ = false;
    }
}

void TargetLink::OnCommData(const CComm& comm) {
    // No full test: an overrun overwrites the oldest unread bytes.
    const std::uint8_t* bytes = comm.ReceiveBuffer();
    for (int i = 0; i < comm.ReceiveCount(); ++i) {
        ring_[ringHead_] = bytes[i];
        ringHead_ = (ringHead_ + 1) % kRingSize;
    }
    // While a reply is awaited it is handled as soon as it is here rather than on the next poll
    // tick; after this hand-over, so that the channel's reader is free meanwhile. Bytes that come
    // while nothing is polled wait in the ring, as they always have.
    if (pollTimer_.isActive() && !drainQueued_) {
        drainQueued_ = true;
        QMetaObject::invokeMethod(this, &TargetLink::OnDrainNow, Qt::QueuedConnection);
    }
}

void TargetLink::OnDrainNow() {
    drainQueued_ = false;
    if (pollTimer_.isActive())
        OnPollTick();
}

std::uint8_t TargetLink::RingGetByte() {
    const std::uint8_t b = ring_[ringTail_];
    ringTail_ = (ringTail_ + 1) % kRingSize;
    return b;
}

void TargetLink::ProcessRxByte() {
    if (!assembler_.PutByte(RingGetByte()))
        return;
    qCDebug(lcLinkTrace).noquote() << "frame" << HexBytes(RxFrame(), RxFrameLength());
    // A copy: the handler may destroy this link, and with it onReply_.
    if (auto onReply = onReply_)
        onReply();
}

ReplyClass TargetLink::CheckReply() {
    lastOpcode_ = GetLastOpcode();
    ReplyClass result = ClassifyReply(RxFrame(), RxFrameLength(), lastOpcode_);
    if (result != REPLY_NOT_A_REPLY) {
        replyOpcode_ = RxFrame()[2];
        result = CheckChecksum(result);
    }
    if (result == REPLY_SUCCESS || result == REPLY_STATUS_ERROR)
        awaitingReply_ = false;
    return result;
}

ReplyClass TargetLink::CheckChecksum(ReplyClass result) {
    const ReplyChecksum check = LinkSettings::ReplyChecksumCheck();
    if (check == ReplyChecksum::Ignore || ReplyChecksumMatches(RxFrame(), RxFrameLength()))
        return result;
    ++checksumMismatches_;
    qCWarning(lcLink).noquote() << "reply checksum mismatch" << checksumMismatches_ << "on"
                                << comm_.Device() << "frame"
                                << HexBytes(RxFrame(), RxFrameLength());
    // Only a success is acted on; a status error or another command's reply stays what it is.
    if (check == ReplyChecksum::Reject && result == REPLY_SUCCESS)
        return REPLY_STATUS_ERROR;
    return result;
}

void TargetLink::KillTimers() {
    pollTimer_.stop();
    replyTimer_.stop();
}

void TargetLink::OnPollTick() {
    // A reply handler may close the window that owns this link.
    QPointer<TargetLink> alive(this);
    while (alive && !RingIsEmpty())
        ProcessRxByte();
}

void TargetLink::OnReplyTimeout() {
    KillTimers();
    if (onTimeout_)
        onTimeout_();
}
