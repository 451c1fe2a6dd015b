#pragma once

#include "visa/BuiltInIo.h"

#include <QString>

#include <memory>

class PrologixAdapter;

// A session with one GPIB address behind a Prologix adapter, over TCP (GPIB-ETHERNET, port 1234)
// or its serial port (GPIB-USB). Every address of a board shares the adapter's one connection.
class PrologixIo : public BuiltInIo {
public:
    PrologixIo(std::shared_ptr<PrologixAdapter> adapter, int address);
    ~PrologixIo() override;

    ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) override;
    ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) override;
    ViStatus Clear() override;
    ViStatus ReadStatusByte(ViUInt16* statusByte) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    std::shared_ptr<PrologixAdapter> adapter_;
    int address_;
    QString lastDetail_;
};

// Opens primaryAddress behind the adapter of interfaceText ("PRLGX-TCPIP0::10.0.0.7::1234" or
// "PRLGX-ASRL::/dev/ttyUSB0"); null with *status and *detail set when it cannot be reached.
std::unique_ptr<InstrumentIo> OpenPrologix(const QString& interfaceText, int primaryAddress,
                                           ViStatus* status, QString* detail);
