#include "link/ManualSession.h"

#include "link/LinkTexts.h"
#include "link/ReplyDecoder.h"

ManualSession::ManualSession(CComm& comm, QObject* parent)
    : QObject(parent), target_(comm, kReplyTimeoutMs, this) {
    connect(&target_, &TargetSession::replied, this, &ManualSession::OnReply);
    connect(&target_, &TargetSession::timedOut, this, &ManualSession::OnTimeout);
}

bool ManualSession::Send(const QString& line) {
    emit textAdded(line);
    return target_.Send(line);
}

void ManualSession::OnReply(const TargetReply& reply) {
    const QByteArray& frame = reply.Frame();
    const ManualReplyOutcome outcome =
        DispatchManualReply(reply.Class(), reinterpret_cast<const std::uint8_t*>(frame.constData()),
                            static_cast<int>(frame.size()));
    for (const QString& text : outcome.texts)
        emit textAdded(text);
    emit replyHandled(reply.Class());
}

void ManualSession::OnTimeout() {
    emit textAdded(QString::fromUtf8(kNoResponseText));
    emit timedOut();
}
