#pragma once

#include "visa/InstrumentIo.h"
#include "visa/IoAttributes.h"

#include <QTcpSocket>

#include <memory>

// Raw SCPI over TCP ("TCPIP[n]::host::port::SOCKET"): the bytes as written, replies up to and
// including a line feed. Waits block the calling thread for at most the session's time-out, so
// the socket lives in, and is used from, the thread that opened it.
class SocketIo : public InstrumentIo {
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
    ViStatus SetAttribute(ViAttr attribute, ViAttrState value) override;
    ViStatus GetAttribute(ViAttr attribute, void* value) override;
    ViStatus SetBuffer(ViUInt16 mask, ViUInt32 size) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    SocketIo() = default;
    // Whether the read can end now, and with how many bytes.
    bool ReadyToEnd(ViUInt32 count, qint64* length, bool* lineEnded);

    QTcpSocket socket_;
    IoAttributes attributes_;
    QString lastDetail_;
};
