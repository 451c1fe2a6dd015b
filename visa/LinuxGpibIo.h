#pragma once

#include "visa/BuiltInIo.h"

#include <QString>

#include <memory>

struct LinuxGpibApi;

// A session with one GPIB address of a board driven by linux-gpib: a device descriptor of
// ibdev, EOI on the last byte written and reads that end on EOI alone.
class LinuxGpibIo : public BuiltInIo {
public:
    LinuxGpibIo(const LinuxGpibApi& api, int descriptor, int board, int address);
    ~LinuxGpibIo() override;
    LinuxGpibIo(const LinuxGpibIo&) = delete;
    LinuxGpibIo& operator=(const LinuxGpibIo&) = delete;

    ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) override;
    ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) override;
    ViStatus Clear() override;
    ViStatus ReadStatusByte(ViUInt16* statusByte) override;
    ViStatus SetAttribute(ViAttr attribute, ViAttrState value) override;
    QString ErrorDetail(ViStatus status) const override;

private:
    // VI_SUCCESS for an ibsta without ERR; otherwise the failure of call in words.
    ViStatus Check(int ibsta, const char* call);

    const LinuxGpibApi& api_;
    int descriptor_;
    int board_;
    int address_;
    QString lastDetail_;
};

// Opens primaryAddress on the linux-gpib board of interfaceText ("LINUXGPIB::0", the board
// index); null with *status and *detail set when the library, the board or the address fails.
std::unique_ptr<InstrumentIo> OpenLinuxGpib(const QString& interfaceText, int primaryAddress,
                                            ViStatus* status, QString* detail);
