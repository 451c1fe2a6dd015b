#include "tests/support/FakeTarget.h"

#include "tests/support/PtyPair.h"

#include <QSocketNotifier>

#include <unistd.h>

FakeTarget::FakeTarget(PtyPair& pty, QObject* parent)
    : QObject(parent), pty_(pty),
      notifier_(std::make_unique<QSocketNotifier>(pty.MasterFd(), QSocketNotifier::Read)) {
    connect(notifier_.get(), &QSocketNotifier::activated, this, &FakeTarget::OnReadable);
}

FakeTarget::~FakeTarget() = default;

QByteArray FakeTarget::ReplyFrame(std::uint8_t opcode, std::uint8_t status, std::uint8_t index,
                                  const QByteArray& data) {
    QByteArray raw;
    raw.append(static_cast<char>(opcode));
    raw.append(static_cast<char>(status));
    raw.append(static_cast<char>(index));
    raw.append(data);
    std::uint8_t checksum = 0;
    for (char c : raw)
        checksum = static_cast<std::uint8_t>(checksum ^ static_cast<std::uint8_t>(c));
    raw.append(static_cast<char>(checksum));
    QByteArray frame("\x02\x14", 2);
    for (char c : raw) {
        if (c == 0x02 || c == 0x10)
            frame.append(char(0x10));
        frame.append(c);
    }
    frame.append(char(0x02));
    return frame;
}

void FakeTarget::OnReadable() {
    char buffer[4096];
    const ssize_t n = ::read(pty_.MasterFd(), buffer, sizeof buffer);
    for (ssize_t i = 0; i < n; ++i) {
        const char c = buffer[i];
        if (!inPacket_) {
            if (c == 0x02) {
                pending_ = QByteArray(1, c);
                inPacket_ = true;
                escaped_ = false;
            }
            continue;
        }
        pending_.append(c);
        if (escaped_) {
            escaped_ = false;
        } else if (c == 0x10) {
            escaped_ = true;
        } else if (c == 0x02) {
            inPacket_ = false;
            OnPacket(pending_);
        }
    }
}

void FakeTarget::OnPacket(const QByteArray& packet) {
    packets_.append(packet);
    emit packetReceived(packet);
    if (packet.size() < 4)
        return;
    // The opcode is the byte after the lead byte, unless it was stuffed.
    std::uint8_t opcode = static_cast<std::uint8_t>(packet[2]);
    if (opcode == 0x10)
        opcode = static_cast<std::uint8_t>(packet[3]);
    auto it = replies_.find(opcode);
    if (it != replies_.end())
        pty_.Write(it.value());
}
