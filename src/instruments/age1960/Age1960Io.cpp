// Lines, replies, the error-queue check and temporary time-outs.
#include "Age1960Io.h"

#include "Age1960Scpi.h"
#include "Age1960Text.h"

namespace age1960 {

namespace {

constexpr ViUInt32 kReadChunk = 256;
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

void Keep(Age1960Session& session, const Age1960Error& error) {
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
    return ParseInteger(reply, &done) && done == 1 ? status : VI_ERROR_INV_RESPONSE;
}

} // namespace

ViStatus WriteLine(Age1960Session& session, const QByteArray& line) {
    const QByteArray bytes = line + '\n';
    ViUInt32 written = 0;
    const ViStatus status = viWrite(session.visa, reinterpret_cast<ViConstBuf>(bytes.constData()),
                                    static_cast<ViUInt32>(bytes.size()), &written);
    qCDebug(lcAge1960).noquote() << session.visa << ">" << line << Qt::hex << status;
    return status;
}

ViStatus ReadReply(Age1960Session& session, QByteArray* reply) {
    reply->clear();
    ViStatus status = VI_SUCCESS_MAX_CNT;
    while (status == VI_SUCCESS_MAX_CNT && reply->size() < kMaxReplyBytes) {
        ViByte chunk[kReadChunk];
        ViUInt32 got = 0;
        status = viRead(session.visa, chunk, kReadChunk, &got);
        reply->append(reinterpret_cast<const char*>(chunk), static_cast<qsizetype>(got));
    }
    while (reply->endsWith('\n') || reply->endsWith('\r'))
        reply->chop(1);
    qCDebug(lcAge1960).noquote() << session.visa << "<" << *reply << Qt::hex << status;
    if (status == VI_SUCCESS_MAX_CNT)
        return VI_ERROR_INV_RESPONSE;
    return status;
}

ViStatus Query(Age1960Session& session, const QByteArray& query, QByteArray* reply) {
    reply->clear();
    const ViStatus status = WriteLine(session, query);
    return status < VI_SUCCESS ? status : ReadReply(session, reply);
}

ViStatus CheckErrors(Age1960Session& session) {
    bool found = false;
    for (int reading = 0; reading < kMaxQueueReadings; ++reading) {
        QByteArray reply;
        const ViStatus status = Query(session, Age1960Scpi::kErrorQuery, &reply);
        if (status < VI_SUCCESS)
            return status;
        Age1960Error error;
        if (!ParseErrorReply(reply, &error))
            return VI_ERROR_INV_RESPONSE;
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
