#include "link/TargetSession.h"

TargetSession::TargetSession(CComm& comm, int replyTimeoutMs, QObject* parent)
    : QObject(parent), link_(comm, replyTimeoutMs, this) {
    link_.SetReplyHandler([this] { OnFrame(); });
    link_.SetTimeoutHandler([this] { emit timedOut(); });
    Register();
}

bool TargetSession::Send(const QString& line) {
    if (!IsConnected()) {
        emit notConnected();
        return false;
    }
    lastLine_ = line;
    const QByteArray bytes = line.toUtf8();
    return link_.SendLine(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TargetSession::SendUnchecked(const QString& line) {
    lastLine_ = line;
    const QByteArray bytes = line.toUtf8();
    link_.TransmitLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TargetSession::End() {
    link_.KillTimers();
    link_.Comm().ForgetReceiver(&link_);
}

void TargetSession::OnFrame() {
    const ReplyClass result = link_.CheckReply();
    const TimerStops stops = TimerStopsFor(result);
    if (stops.poll)
        link_.KillPollTimer();
    if (stops.reply)
        link_.KillReplyTimer();
    const QByteArray frame(reinterpret_cast<const char*>(link_.RxFrame()), link_.RxFrameLength());
    emit replied(TargetReply(result, frame));
}
