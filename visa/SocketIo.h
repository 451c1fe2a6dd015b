#pragma once

#include "visa/BuiltInIo.h"

#include <QTcpSocket>

#include <memory>

// Raw SCPI over TCP ("TCPIP[n]::host::port::SOCKET"): the bytes as written, replies up to and
// including a line feed. Waits block the calling thread for at most the session's time-out, so
// the socket lives in, and is used from, the thread that opened it.
class SocketIo : public BuiltInIo {
public:
    // Null with *status and *detail set when the host cannot be found, refuses the connection
    // or does not accept it within connectTimeoutMs.
    static std::unique_ptr<SocketIo> Connect(const QString& host, quint16 port,
                                             int connectTimeoutMs, ViStatus* status,
                                             QString* detail);

    ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) override;
    ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) override;
    ViStatus Clear() override;
    ViStatus ReadStatusByte(ViUInt16* statusByte) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    SocketIo() = default;
    // Whether the read can end now, and with how many bytes.
    bool ReadyToEnd(ViUInt32 count, qint64* length, bool* lineEnded);

    QTcpSocket socket_;
    QString lastDetail_;
};
