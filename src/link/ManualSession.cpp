#include "ManualSession.h"

#include "LinkTexts.h"
#include "MessageService.h"
#include "ReplyDecoder.h"

ManualSession::ManualSession(CComm& comm, QObject* parent)
    : QObject(parent), link_(comm, kReplyTimeoutMs, this) {
    link_.SetReplyHandler([this] { OnReply(); });
    link_.SetTimeoutHandler([this] { OnTimeout(); });
    link_.Register();
}

bool ManualSession::Send(const QString& line) {
    emit textAdded(line);
    if (!link_.IsConnected()) {
        ShowMessage(QString::fromUtf8(kNotConnectedText), MessageIcon::Exclamation);
        return false;
    }
    const QByteArray bytes = line.toUtf8();
    return link_.SendLine(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void ManualSession::OnReply() {
    const ReplyClass result = link_.CheckReply();
    const ManualReplyOutcome outcome =
        DispatchManualReply(result, link_.RxFrame(), link_.RxFrameLength());
    if (outcome.stopPollTimer)
        link_.KillPollTimer();
    if (outcome.stopReplyTimer)
        link_.KillReplyTimer();
    for (const QString& text : outcome.texts)
        emit textAdded(text);
    emit replyHandled(result);
}

void ManualSession::OnTimeout() {
    emit textAdded(QString::fromUtf8(kNoResponseText));
    emit timedOut();
}
