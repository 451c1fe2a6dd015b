#pragma once

#include "link/FrameCodec.h"
#include "link/Scanner.h"

#include <QTimer>

#include <functional>
#include <string_view>

// The link operations one window (or headless tool) embeds to talk to the target: its own
// receive ring, transmit buffer, frame writer and reply assembly, its own reply time-out and its
// own reply handler. Several may exist at once; the channel feeds the one registered last.
class TargetLink : public CommReceiver {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 50; // TIMER_POLL
    static constexpr int kRingSize = 4096;
    static constexpr int kTransmitBufferSize = 4096;

    TargetLink(CComm& comm, int replyTimeoutMs, QObject* parent = nullptr);
    ~TargetLink() override; // the channel forgets it

    // OnReply: called with the complete frame in RxFrame(); it classifies it with CheckReply.
    void SetReplyHandler(std::function<void()> onReply) { onReply_ = std::move(onReply); }
    // Called when TIMER_REPLY expires, after both timers were stopped.
    void SetTimeoutHandler(std::function<void()> onTimeout) { onTimeout_ = std::move(onTimeout); }

    // Makes this link the channel's receiver (on opening and whenever the pointer is over it).
    void Register() { comm_.SetNotifyWindow(this); }
    CComm& Comm() const { return comm_; }
    bool IsConnected() const { return comm_.IsConnected() != 0; }

    // The calling order for one command: encode, purge, build, send. Returns false (sending
    // nothing) when the port is not connected.
    bool SendLine(std::string_view line);
    // The same without looking at the port first, as some windows send: a closed port writes
    // nothing, and the reply time-out then reports the silence.
    void TransmitLine(std::string_view line);

    void BuildPacket();
    void AppendPacketByte(std::uint8_t b);
    void SendPacket();
    void WriteFrameByte(std::uint8_t b);

    void OnCommData(const CComm& comm) override;
    bool RingIsEmpty() const { return ringHead_ == ringTail_; }
    std::uint8_t RingGetByte();
    void ProcessRxByte();
    void ResetRxFrame() { assembler_.ResetFrame(); }

    // Classifies the frame against the last command, with the [Link] ReplyChecksum check.
    ReplyClass CheckReply();
    const std::uint8_t* RxFrame() const { return assembler_.Frame(); }
    int RxFrameLength() const { return assembler_.Length(); }
    std::uint8_t LastOpcode() const { return lastOpcode_; }
    std::uint8_t ReplyOpcode() const { return replyOpcode_; }
    bool AwaitingReply() const { return awaitingReply_; }
    // Replies whose checksum byte was wrong, while the check warns or rejects.
    int ChecksumMismatches() const { return checksumMismatches_; }

    const std::uint8_t* TransmitBuffer() const { return transmit_; }
    int TransmitLength() const { return transmitLength_; }

    void KillPollTimer() { pollTimer_.stop(); }
    void KillReplyTimer() { replyTimer_.stop(); }
    void KillTimers();
    bool PollTimerActive() const { return pollTimer_.isActive(); }
    bool ReplyTimerActive() const { return replyTimer_.isActive(); }
    int PollIntervalMs() const { return pollTimer_.interval(); }
    int ReplyTimeoutMs() const { return replyTimer_.interval(); }
    void SetReplyTimeoutMs(int ms) { replyTimer_.setInterval(ms); }

private:
    void OnPollTick();
    void OnDrainNow();
    void OnReplyTimeout();
    ReplyClass CheckChecksum(ReplyClass result);

    CComm& comm_;
    std::function<void()> onReply_;
    std::function<void()> onTimeout_;
    QTimer pollTimer_;
    QTimer replyTimer_;

    std::uint8_t ring_[kRingSize] = {};
    int ringHead_ = 0;
    int ringTail_ = 0;

    std::uint8_t transmit_[kTransmitBufferSize] = {};
    int transmitLength_ = 0;

    // The packet being written: STX, the body, STX.
    std::uint8_t writer_[kTransmitBufferSize + 2] = {};
    int writerLength_ = 0;
    bool writerInFrame_ = false;

    FrameAssembler assembler_;
    std::uint8_t lastOpcode_ = 0;
    std::uint8_t replyOpcode_ = 0;
    bool awaitingReply_ = false;
    int checksumMismatches_ = 0;
    bool drainQueued_ = false;
};
