#include "link/LinkLog.h"
#include "link/Scanner.h"
#include "link/Waiting.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint8_t kCarriageReturn = 13;
}

int CScannerComm::SendBytes(int n, const std::uint8_t* bytes, int timeoutMs,
                            PumpingSequence* sequence) {
    transmitLength_ = std::clamp(n, 0, kTransmitBufferSize);
    std::memcpy(transmitBuffer_, bytes, static_cast<std::size_t>(transmitLength_));
    return SendWithRetry(timeoutMs, sequence);
}

int CScannerComm::SendWithRetry(int timeoutMs, PumpingSequence* sequence) {
    ClearDataReady();
    for (int tries = 0; tries < kTries && !DataReady(); ++tries) {
        const int written = WriteBlock(transmitBuffer_, transmitLength_);
        qCDebug(lcScanner).noquote() << QStringLiteral("T: %1 %2")
                                            .arg(HexBytes(transmitBuffer_, transmitLength_))
                                            .arg(written);
        // The whole period even when the reply is early: the scanner may still be sending.
        const bool waited = sequence ? sequence->Wait(timeoutMs) : WaitPumping(timeoutMs);
        if (!waited)
            break;
    }
    if (DataReady())
        ParseLineReply();
    return DataReady();
}

void CScannerComm::ParseLineReply() {
    CQueue& queue = Queue();
    const int n = queue.Count();
    if (n == 0 || queue.Peek(n - 1) != kCarriageReturn)
        return;
    replyLength_ = n;
    // Only what the reply buffer holds is kept (with room for the terminator); a longer line is
    // no valid scanner reply anyway and fails the length check below.
    const int kept = std::min(n, kReplyBufferSize - 1);
    std::memset(replyBuffer_, 0, sizeof replyBuffer_);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t b = queue.Get();
        if (i < kept)
            replyBuffer_[i] = static_cast<char>(b);
    }
    if (n == 3 || n == 16)
        replyBuffer_[n - 1] = '\0';
    CheckLineReply();
    queue.Clear();
}

void CScannerComm::ClearReply() {
    std::memset(replyBuffer_, 0, sizeof replyBuffer_);
    replyLength_ = 0;
}

void CScannerComm::CheckLineReply() {
    if (replyLength_ == 3) {
        if (replyBuffer_[0] == 'O' && replyBuffer_[1] == 'K')
            SetDataReady();
        std::memset(replyBuffer_, 0, sizeof replyBuffer_);
    } else if (replyLength_ == 15 || replyLength_ == 16) {
        if (replyBuffer_[0] >= '0' && replyBuffer_[0] <= '9')
            SetDataReady();
        else
            emit misread();
    } else {
        ClearDataReady();
    }
}
