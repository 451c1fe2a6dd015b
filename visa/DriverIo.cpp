#include "visa/DriverIo.h"

#include <algorithm>

namespace DriverIo {

namespace {

constexpr qsizetype kReadChunk = 256;
constexpr qsizetype kMaxDrainBytes = 65536;

} // namespace

ViStatus WriteLine(ViSession session, const QByteArray& line, const QLoggingCategory& log) {
    const QByteArray bytes = line + '\n';
    ViUInt32 written = 0;
    const ViStatus status = viWrite(session, reinterpret_cast<ViConstBuf>(bytes.constData()),
                                    static_cast<ViUInt32>(bytes.size()), &written);
    qCDebug(log).noquote() << session << ">" << line << Qt::hex << status;
    return status;
}

ViStatus ReadReply(ViSession session, qsizetype maxBytes, QByteArray* reply,
                   const QLoggingCategory& log) {
    reply->clear();
    ViStatus status = VI_SUCCESS_MAX_CNT;
    while (status == VI_SUCCESS_MAX_CNT && reply->size() < maxBytes) {
        ViByte chunk[kReadChunk];
        const auto wanted = static_cast<ViUInt32>(std::min(kReadChunk, maxBytes - reply->size()));
        ViUInt32 got = 0;
        status = viRead(session, chunk, wanted, &got);
        reply->append(reinterpret_cast<const char*>(chunk), static_cast<qsizetype>(got));
    }
    *reply = reply->trimmed();
    qCDebug(log).noquote() << session << "<" << *reply << Qt::hex << status;
    return status;
}

ViStatus Query(ViSession session, const QByteArray& query, qsizetype maxBytes, QByteArray* reply,
               const QLoggingCategory& log) {
    reply->clear();
    const ViStatus status = WriteLine(session, query, log);
    return status < VI_SUCCESS ? status : ReadReply(session, maxBytes, reply, log);
}

void DrainReply(ViSession session) {
    ViByte scratch[kReadChunk];
    ViUInt32 got = 0;
    ViStatus status = VI_SUCCESS_MAX_CNT;
    for (qsizetype drained = 0; status == VI_SUCCESS_MAX_CNT && drained < kMaxDrainBytes;
         drained += got)
        status = viRead(session, scratch, sizeof scratch, &got);
}

} // namespace DriverIo
