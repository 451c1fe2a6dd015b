#pragma once

#include "visa/BuiltInIo.h"
#include "visa/RpcClient.h"
#include "visa/VisaResource.h"

#include <memory>

class XdrReader;
class XdrWriter;

// A VXI-11 link (core channel only: service requests are fragile on every gateway, so the
// status byte is polled instead). Reads and writes block the calling thread for at most the
// session's time-out, which the gateway is told as the time left of one deadline per call.
class Vxi11Io : public BuiltInIo {
public:
    static constexpr quint16 kPortmapperPort = 111;

    // Null with *status and *detail set when the host, its portmapper or the device cannot be
    // reached or the link is refused.
    static std::unique_ptr<Vxi11Io> Open(const Vxi11Address& address, quint16 portmapperPort,
                                         ViStatus* status, QString* detail);
    ~Vxi11Io() override;
    Vxi11Io(const Vxi11Io&) = delete;
    Vxi11Io& operator=(const Vxi11Io&) = delete;

    ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) override;
    ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) override;
    ViStatus Clear() override;
    ViStatus ReadStatusByte(ViUInt16* statusByte) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    Vxi11Io() = default;
    ViStatus CreateLink(const QString& device);
    // One core call within deadline; the device's error word is checked and consumed.
    ViStatus Core(quint32 procedure, XdrWriter& arguments, const QDeadlineTimer& deadline,
                  XdrReader* results);
    // The io_timeout to send: the time left, at least 1 ms (0 has no defined meaning).
    quint32 TimeLeft(const QDeadlineTimer& deadline) const;
    ViStatus Expired(const char* what);

    RpcClient rpc_;
    quint32 link_ = 0;
    bool linked_ = false;
    quint32 maxRecvSize_ = 0;
    QString lastDetail_;
};

// The board openers of the VXI-11 backend: a LAN instrument or gateway device by its resource,
// and address primaryAddress of a board mapped to "TCPIP0::host::gpib0::VXI11".
std::unique_ptr<InstrumentIo> OpenVxi11(const Vxi11Address& address, ViStatus* status,
                                        QString* detail);
std::unique_ptr<InstrumentIo> OpenVxi11Board(const QString& interfaceText, int primaryAddress,
                                             ViStatus* status, QString* detail);
