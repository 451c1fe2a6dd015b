#include "SupplyIo.h"

#include "SupplyLog.h"
#include "SupplyText.h"

namespace supplies {

namespace {

// Room for an error entry with the longest text SCPI allows (255 characters).
constexpr ViUInt32 kReplySize = 512;
// A reply longer than the buffer is drained, so that its tail is not read as the next reply;
// an instrument that never stops talking must not hold the driver for ever.
constexpr int kMaxDrainReads = 256;

void DrainReply(ViSession session) {
    ViByte scratch[kReplySize];
    ViUInt32 got = 0;
    ViStatus status = VI_SUCCESS_MAX_CNT;
    for (int read = 0; status == VI_SUCCESS_MAX_CNT && read < kMaxDrainReads; ++read)
        status = viRead(session, scratch, sizeof scratch, &got);
}

} // namespace

ViStatus WriteLine(ViSession session, const QByteArray& line) {
    qCDebug(lcSupplies).noquote() << session << ">" << line;
    const QByteArray bytes = line + '\n';
    ViUInt32 written = 0;
    return viWrite(session, reinterpret_cast<ViConstBuf>(bytes.constData()),
                   static_cast<ViUInt32>(bytes.size()), &written);
}

ViStatus Query(ViSession session, const QByteArray& query, QByteArray* reply) {
    reply->clear();
    ViStatus status = WriteLine(session, query);
    if (status < VI_SUCCESS)
        return status;
    ViByte buffer[kReplySize];
    ViUInt32 got = 0;
    status = viRead(session, buffer, sizeof buffer, &got);
    if (status < VI_SUCCESS)
        return status;
    *reply = QByteArray(reinterpret_cast<const char*>(buffer), got).trimmed();
    qCDebug(lcSupplies).noquote() << session << "<" << *reply;
    if (status == VI_SUCCESS_MAX_CNT)
        DrainReply(session);
    return VI_SUCCESS;
}

ViStatus ReadError(ViSession session, SupplyError* error) {
    QByteArray reply;
    const ViStatus status = Query(session, "SYST:ERR?", &reply);
    if (status < VI_SUCCESS)
        return status;
    if (!ParseErrorEntry(reply, &error->code, &error->text)) {
        qCWarning(lcSupplies).noquote() << session << "error queue reply" << reply;
        return VI_ERROR_INV_RESPONSE;
    }
    return VI_SUCCESS;
}

ViStatus FinishCall(ViSession session, SupplySession& state, ViStatus callStatus) {
    SupplyError error;
    const ViStatus status = ReadError(session, &error);
    if (status >= VI_SUCCESS && error.code != 0) {
        qCWarning(lcSupplies).noquote()
            << session << "instrument error" << error.code << error.text;
        // The newest entry is kept: it explains the call that reports it.
        state.keptError = error;
        return SUPPLY_INSTR_ERROR_DETECTED;
    }
    return callStatus < VI_SUCCESS ? callStatus : status;
}

ViStatus SendChecked(ViSession session, SupplySession& state, const QByteArray& line) {
    const ViStatus status = WriteLine(session, line);
    return status < VI_SUCCESS ? status : FinishCall(session, state, status);
}

} // namespace supplies
