#include "drivers/supplies/SupplyIo.h"

#include "drivers/supplies/SupplyLog.h"
#include "visa/DriverIo.h"

namespace supplies {

namespace {

// Room for an error entry with the longest text SCPI allows (255 characters); a longer reply is
// taken as far as this and its rest drained.
constexpr qsizetype kReplySize = 512;

} // namespace

ViStatus WriteLine(ViSession session, const QByteArray& line) {
    return DriverIo::WriteLine(session, line, lcSupplies());
}

ViStatus Query(ViSession session, const QByteArray& query, QByteArray* reply) {
    const ViStatus status = DriverIo::Query(session, query, kReplySize, reply, lcSupplies());
    if (status < VI_SUCCESS)
        return status;
    if (status == VI_SUCCESS_MAX_CNT)
        DriverIo::DrainReply(session);
    return VI_SUCCESS;
}

ViStatus ReadError(ViSession session, DriverText::ErrorEntry* error) {
    QByteArray reply;
    const ViStatus status = Query(session, "SYST:ERR?", &reply);
    if (status < VI_SUCCESS)
        return status;
    if (!DriverText::ParseErrorEntry(reply, DriverText::EntryForm::kTolerant, error)) {
        qCWarning(lcSupplies).noquote() << session << "error queue reply" << reply;
        return VI_ERROR_INV_RESPONSE;
    }
    return VI_SUCCESS;
}

ViStatus FinishCall(ViSession session, SupplySession& state, ViStatus callStatus) {
    DriverText::ErrorEntry error;
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
