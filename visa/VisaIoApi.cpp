// Reads, writes, attributes and status texts of the VISA layer.
#include "visa/Visa.h"
#include "visa/VisaErrors.h"
#include "visa/VisaLog.h"
#include "visa/VisaRegistry.h"

#include <cstring>

namespace {

VisaObject* Instrument(ViSession vi) {
    return VisaRegistry::Instance().Find(vi, VisaKind::Instrument);
}

// One line of the SCPI trace, control characters shown as escapes.
void Trace(const VisaObject& instrument, const char* direction, const ViByte* data,
           ViUInt32 count) {
    if (!lcVisaTrace().isDebugEnabled())
        return;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    QString text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < 0x20 || byte >= 0x7F
                    ? QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'))
                    : QString(QLatin1Char(c));
    }
    qCDebug(lcVisaTrace).noquote() << instrument.resource << direction << text;
}

// A write or read of cnt bytes on an instrument session, traced, with the count it moved.
template <typename Buffer, typename Io>
ViStatus Transfer(ViSession vi, Buffer buf, ViUInt32 cnt, ViPUInt32 retCnt, const char* direction,
                  Io io) {
    if (retCnt)
        *retCnt = 0;
    VisaObject* instrument = Instrument(vi);
    if (!instrument)
        return VI_ERROR_INV_OBJECT;
    if (!buf && cnt > 0)
        return VI_ERROR_USER_BUF;
    ViUInt32 done = 0;
    const ViStatus status = io(*instrument->io, &done);
    Trace(*instrument, direction, buf, done);
    if (retCnt)
        *retCnt = done;
    return CheckIo(*instrument, status);
}

} // namespace

extern "C" {

ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt) {
    return Transfer(vi, buf, cnt, retCnt, ">", [buf, cnt](InstrumentIo& io, ViUInt32* done) {
        return io.Write(buf, cnt, done);
    });
}

ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt) {
    return Transfer(vi, buf, cnt, retCnt, "<", [buf, cnt](InstrumentIo& io, ViUInt32* done) {
        return io.Read(buf, cnt, done);
    });
}

ViStatus viClear(ViSession vi) {
    VisaObject* instrument = Instrument(vi);
    if (!instrument)
        return VI_ERROR_INV_OBJECT;
    return CheckIo(*instrument, instrument->io->Clear());
}

ViStatus viReadSTB(ViSession vi, ViPUInt16 status) {
    VisaObject* instrument = Instrument(vi);
    if (!instrument)
        return VI_ERROR_INV_OBJECT;
    if (!status)
        return VI_ERROR_USER_BUF;
    return CheckIo(*instrument, instrument->io->ReadStatusByte(status));
}

ViStatus viSetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size) {
    VisaObject* instrument = Instrument(vi);
    if (!instrument)
        return VI_ERROR_INV_OBJECT;
    return CheckIo(*instrument, instrument->io->SetBuffer(mask, size));
}

ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue) {
    VisaObject* object = VisaRegistry::Instance().Find(vi);
    if (!object)
        return VI_ERROR_INV_OBJECT;
    if (attrName == VI_ATTR_RM_SESSION)
        return VI_ERROR_ATTR_READONLY;
    if (object->kind != VisaKind::Instrument)
        return VI_ERROR_NSUP_ATTR;
    return CheckIo(*object, object->io->SetAttribute(attrName, attrValue));
}

ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue) {
    VisaObject* object = VisaRegistry::Instance().Find(vi);
    if (!object)
        return VI_ERROR_INV_OBJECT;
    if (!attrValue)
        return VI_ERROR_USER_BUF;
    if (attrName == VI_ATTR_RM_SESSION) {
        *static_cast<ViSession*>(attrValue) = object->owner == VI_NULL ? vi : object->owner;
        return VI_SUCCESS;
    }
    if (object->kind != VisaKind::Instrument)
        return VI_ERROR_NSUP_ATTR;
    return CheckIo(*object, object->io->GetAttribute(attrName, attrValue));
}

ViStatus viStatusDesc(ViObject vi, ViStatus status, ViChar desc[]) {
    if (!desc)
        return VI_ERROR_USER_BUF;
    const VisaObject* object = VisaRegistry::Instance().Find(vi);
    QString text = object && object->lastStatus == status ? object->lastError : QString();
    if (text.isEmpty())
        text = VisaStatusText(status);
    const bool known = !text.isEmpty();
    if (!known)
        text = QStringLiteral("unknown status 0x%1")
                   .arg(static_cast<ViUInt32>(status), 8, 16, QLatin1Char('0'));
    const QByteArray bytes = text.toLocal8Bit().left(VI_FIND_BUFLEN - 1);
    std::memcpy(desc, bytes.constData(), static_cast<size_t>(bytes.size()));
    desc[bytes.size()] = '\0';
    return known ? VI_SUCCESS : VI_WARN_UNKNOWN_STATUS;
}

} // extern "C"
