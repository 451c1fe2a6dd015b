#include "visa/PrologixIo.h"

#include "visa/PrologixAdapter.h"

#include <cstring>

PrologixIo::PrologixIo(std::shared_ptr<PrologixAdapter> adapter, int address)
    : adapter_(std::move(adapter)), address_(address) {}

PrologixIo::~PrologixIo() = default;

ViStatus PrologixIo::Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) {
    *written = 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    const ViStatus status = adapter_->Write(address_, bytes, attributes_.TimeoutMs(), &lastDetail_);
    if (status >= VI_SUCCESS)
        *written = count;
    return status;
}

ViStatus PrologixIo::Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) {
    QByteArray data;
    const ViStatus status = adapter_->Read(address_, &data, static_cast<qsizetype>(count),
                                           attributes_.TimeoutMs(), &lastDetail_);
    std::memcpy(buffer, data.constData(), static_cast<size_t>(data.size()));
    *got = static_cast<ViUInt32>(data.size());
    return status;
}

ViStatus PrologixIo::Clear() {
    return adapter_->Clear(address_, attributes_.TimeoutMs(), &lastDetail_);
}

ViStatus PrologixIo::ReadStatusByte(ViUInt16* statusByte) {
    return adapter_->StatusByte(address_, statusByte, attributes_.TimeoutMs(), &lastDetail_);
}

QString PrologixIo::ErrorDetail(ViStatus /*status*/) const {
    return lastDetail_;
}

std::unique_ptr<InstrumentIo> OpenPrologix(const QString& interfaceText, int primaryAddress,
                                           ViStatus* status, QString* detail) {
    if (primaryAddress < 0 || primaryAddress > 30) {
        *status = VI_ERROR_INV_RSRC_NAME;
        *detail = QStringLiteral("GPIB address %1 is out of range (0 to 30)").arg(primaryAddress);
        return nullptr;
    }
    std::shared_ptr<PrologixAdapter> adapter =
        PrologixAdapter::Shared(interfaceText, status, detail);
    if (!adapter)
        return nullptr;
    return std::make_unique<PrologixIo>(std::move(adapter), primaryAddress);
}
