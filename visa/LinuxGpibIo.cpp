#include "visa/LinuxGpibIo.h"

#include "visa/LinuxGpibLibrary.h"

#include <QRegularExpression>

namespace {

// The failure an iberr stands for, in words the operator can act on.
ViStatus Failure(int iberr, const char* call, int board, int address, ViUInt32 timeoutMs,
                 QString* detail) {
    switch (iberr) {
    case kGpibEabo:
        *detail = QString::fromLatin1(call) == QLatin1String("ibrd")
                      ? QStringLiteral("no reply from GPIB address %1 within %2 ms")
                            .arg(address)
                            .arg(timeoutMs)
                      : QStringLiteral("GPIB address %1 did not complete %2 within %3 ms")
                            .arg(address)
                            .arg(QLatin1String(call))
                            .arg(timeoutMs);
        return VI_ERROR_TMO;
    case kGpibEnol:
        *detail =
            QStringLiteral("no instrument at GPIB address %1 of board %2").arg(address).arg(board);
        return VI_ERROR_NLISTENERS;
    case kGpibEcic:
        *detail = QStringLiteral("GPIB board %1 is not the controller in charge: make it the "
                                 "system controller in /etc/gpib.conf")
                      .arg(board);
        return VI_ERROR_IO;
    case kGpibEdvr:
        *detail = QStringLiteral("GPIB board %1 is not configured: load linux-gpib's kernel "
                                 "module, set the board up in /etc/gpib.conf and run gpib_config")
                      .arg(board);
        return VI_ERROR_IO;
    default:
        *detail = QStringLiteral("%1 failed at GPIB address %2 of board %3 (linux-gpib error %4)")
                      .arg(QLatin1String(call))
                      .arg(address)
                      .arg(board)
                      .arg(iberr);
        return VI_ERROR_IO;
    }
}

} // namespace

LinuxGpibIo::LinuxGpibIo(const LinuxGpibApi& api, int descriptor, int board, int address)
    : api_(api), descriptor_(descriptor), board_(board), address_(address) {}

LinuxGpibIo::~LinuxGpibIo() {
    api_.ibonl(descriptor_, 0);
}

ViStatus LinuxGpibIo::Check(int ibsta, const char* call) {
    if ((ibsta & kGpibError) == 0)
        return VI_SUCCESS;
    return Failure(api_.threadIberr(), call, board_, address_, attributes_.TimeoutMs(),
                   &lastDetail_);
}

ViStatus LinuxGpibIo::Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) {
    const ViStatus status = Check(api_.ibwrt(descriptor_, data, long{count}), "ibwrt");
    *written = static_cast<ViUInt32>(api_.threadIbcnt());
    return status;
}

ViStatus LinuxGpibIo::Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) {
    const int ibsta = api_.ibrd(descriptor_, buffer, long{count});
    // As VISA does, a read that fails still hands over what had arrived.
    *got = static_cast<ViUInt32>(api_.threadIbcnt());
    const ViStatus status = Check(ibsta, "ibrd");
    if (status < VI_SUCCESS)
        return status;
    return (ibsta & kGpibEnd) != 0 || *got < count ? VI_SUCCESS : VI_SUCCESS_MAX_CNT;
}

ViStatus LinuxGpibIo::Clear() {
    return Check(api_.ibclr(descriptor_), "ibclr");
}

ViStatus LinuxGpibIo::ReadStatusByte(ViUInt16* statusByte) {
    char polled = 0;
    const ViStatus status = Check(api_.ibrsp(descriptor_, &polled), "ibrsp");
    *statusByte = static_cast<ViUInt16>(static_cast<unsigned char>(polled));
    return status;
}

ViStatus LinuxGpibIo::SetAttribute(ViAttr attribute, ViAttrState value) {
    const ViStatus status = attributes_.Set(attribute, value);
    if (status < VI_SUCCESS || attribute != VI_ATTR_TMO_VALUE)
        return status;
    return Check(api_.ibtmo(descriptor_, GpibTimeoutCode(attributes_.TimeoutMs())), "ibtmo");
}

QString LinuxGpibIo::ErrorDetail(ViStatus /*status*/) const {
    return lastDetail_;
}

std::unique_ptr<InstrumentIo> OpenLinuxGpib(const QString& interfaceText, int primaryAddress,
                                            ViStatus* status, QString* detail) {
    static const QRegularExpression board(QStringLiteral("^LINUXGPIB::(\\d{1,2})$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = board.match(interfaceText.trimmed());
    if (!match.hasMatch() || primaryAddress < 0 || primaryAddress > 30) {
        *status = VI_ERROR_INV_RSRC_NAME;
        *detail =
            !match.hasMatch()
                ? QStringLiteral("%1 is no linux-gpib board (LINUXGPIB::0)").arg(interfaceText)
                : QStringLiteral("GPIB address %1 is out of range (0 to 30)").arg(primaryAddress);
        return nullptr;
    }
    const LinuxGpibApi* api = LinuxGpibLibrary::Instance().Load(detail);
    if (!api) {
        *status = VI_ERROR_LIBRARY_NFOUND;
        return nullptr;
    }
    const int index = match.captured(1).toInt();
    const int descriptor = api->ibdev(index, primaryAddress, 0,
                                      GpibTimeoutCode(IoAttributes::kDefaultTimeoutMs), 1, 0);
    if (descriptor < 0) {
        *status = Failure(api->threadIberr(), "ibdev", index, primaryAddress,
                          IoAttributes::kDefaultTimeoutMs, detail);
        return nullptr;
    }
    auto io = std::make_unique<LinuxGpibIo>(*api, descriptor, index, primaryAddress);
    // EOI with the last byte written; no end-of-string byte, so a read ends on EOI alone.
    api->ibeot(descriptor, 1);
    api->ibeos(descriptor, 0);
    *status = VI_SUCCESS;
    return io;
}
