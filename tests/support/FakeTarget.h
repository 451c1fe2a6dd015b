#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>

#include <memory>

class PtyPair;
class QSocketNotifier;

// A minimal answering peer on the master side of a pseudo-terminal: for each command packet it
// receives it writes the canned reply frame for the packet's opcode, if one was set. Tests and
// measurements use it where the full simulated target is not needed.
class FakeTarget : public QObject {
    Q_OBJECT
public:
    explicit FakeTarget(PtyPair& pty, QObject* parent = nullptr);
    ~FakeTarget() override;

    void SetReply(std::uint8_t opcode, const QByteArray& frame) { replies_[opcode] = frame; }
    QList<QByteArray> Packets() const { return packets_; } // as received, STX to STX

    // Builds a stuffed reply frame: STX 0x14 opcode status index data checksum STX.
    static QByteArray ReplyFrame(std::uint8_t opcode, std::uint8_t status, std::uint8_t index,
                                 const QByteArray& data = {});

signals:
    void packetReceived(const QByteArray& packet);

private:
    void OnReadable();
    void OnPacket(const QByteArray& packet);

    PtyPair& pty_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray pending_;
    bool inPacket_ = false;
    bool escaped_ = false;
    QMap<std::uint8_t, QByteArray> replies_;
    QList<QByteArray> packets_;
};
