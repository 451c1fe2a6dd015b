// Lines, replies, the error-queue check and temporary time-outs.
#include "drivers/age1960/Age1960Io.h"

#include "drivers/age1960/Age1960Scpi.h"
#include "visa/DriverIo.h"

namespace age1960 {

namespace {

// No reply the driver reads comes near this; a peer that never ends its line must not hold the
// driver for ever.
constexpr qsizetype kMaxReplyBytes = 65536;
// An instrument's queue holds a few dozen entries; one that never reads 0 ends the check here.
constexpr int kMaxQueueReadings = 32;
constexpr size_t kMaxKeptErrors = 32;

bool IsLinkFailure(ViStatus status) {
    // VISA's own failures (0xBFFFxxxx) other than a time-out: the exchange did not happen.
    return status < VI_SUCCESS && status != VI_ERROR_TMO &&
           (static_cast<ViUInt32>(status) >> 16) == 0xBFFFu;
}

void Keep(Age1960Session& session, const DriverText::ErrorEntry& error) {
    qCInfo(lcAge1960).noquote() << session.visa << "instrument error" << error.code << error.text;
    session.keptErrors.push_back(error);
    if (session.keptErrors.size() > kMaxKeptErrors)
        session.keptErrors.pop_front();
}

ViStatus ConfirmOpc(Age1960Session& session) {
    QByteArray reply;
    const ViStatus status = Query(session, Age1960Scpi::kOperationComplete, &reply);
    ViInt32 done = 0;
    if (status < VI_SUCCESS)
        return status;
    return DriverText::ParseInteger(reply, &done) && done == 1 ? status : VI_ERROR_INV_RESPONSE;
}

} // namespace

ViStatus WriteLine(Age1960Session& session, const QByteArray& line) {
    return DriverIo::WriteLine(session.visa, line, lcAge1960());
}

ViStatus ReadReply(Age1960Session& session, QByteArray* reply) {
    const ViStatus status = DriverIo::ReadReply(session.visa, kMaxReplyBytes, reply, lcAge1960());
    return status == VI_SUCCESS_MAX_CNT ? VI_ERROR_INV_RESPONSE : status;
}

ViStatus Query(Age1960Session& session, const QByteArray& query, QByteArray* reply) {
    reply->clear();
    const ViStatus status = WriteLine(session, query);
    return status < VI_SUCCESS ? status : ReadReply(session, reply);
}

ViStatus ReadError(Age1960Session& session, DriverText::ErrorEntry* error) {
    QByteArray reply;
    const ViStatus status = Query(session, Age1960Scpi::kErrorQuery, &reply);
    if (status < VI_SUCCESS)
        return status;
    return DriverText::ParseErrorEntry(reply, DriverText::EntryForm::kComplete, error)
               ? status
               : VI_ERROR_INV_RESPONSE;
}

ViStatus CheckErrors(Age1960Session& session) {
    bool found = false;
    for (int reading = 0; reading < kMaxQueueReadings; ++reading) {
        DriverText::ErrorEntry error;
        const ViStatus status = ReadError(session, &error);
        if (status < VI_SUCCESS)
            return status;
        if (error.code == 0)
            break;
        Keep(session, error);
        found = true;
    }
    return found ? AGE1960_INSTR_ERROR_DETECTED : VI_SUCCESS;
}

ViStatus Checked(Age1960Session& session, ViStatus status) {
    if (IsLinkFailure(status))
        return status;
    const ViStatus check = CheckErrors(session);
    if (check == AGE1960_INSTR_ERROR_DETECTED)
        return check;
    if (status < VI_SUCCESS)
        return status;
    return check < VI_SUCCESS ? check : status;
}

ViStatus SendChecked(Age1960Session& session, const QByteArray& line, bool waitComplete) {
    ViStatus status = WriteLine(session, line);
    if (status >= VI_SUCCESS && waitComplete)
        status = ConfirmOpc(session);
    return Checked(session, status);
}

ViStatus QueryChecked(Age1960Session& session, const QByteArray& query, QByteArray* reply) {
    return Checked(session, Query(session, query, reply));
}

ViStatus QueryCheckedWithin(Age1960Session& session, ViUInt32 timeoutMs, const QByteArray& query,
                            QByteArray* reply) {
    const ViStatus status =
        WithTimeout(session, timeoutMs, [&] { return Query(session, query, reply); });
    return Checked(session, status);
}

ViUInt32 RaisedTimeout(const Age1960Session& session, ViUInt32 extraMs) {
    if (session.timeoutMs >= VI_TMO_INFINITE - extraMs)
        return VI_TMO_INFINITE;
    return session.timeoutMs + extraMs;
}

ViStatus WithTimeout(Age1960Session& session, ViUInt32 timeoutMs,
                     const std::function<ViStatus()>& io) {
    ViStatus status = viSetAttribute(session.visa, VI_ATTR_TMO_VALUE, timeoutMs);
    if (status < VI_SUCCESS)
        return status;
    status = io();
    const ViStatus restored = viSetAttribute(session.visa, VI_ATTR_TMO_VALUE, session.timeoutMs);
    return status >= VI_SUCCESS && restored < VI_SUCCESS ? restored : status;
}

} // namespace age1960
