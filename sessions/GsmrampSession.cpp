#include "sessions/GsmrampSession.h"

#include "link/Bcommand.h"
#include "sessions/GsmrampCommands.h"

namespace {
const QString kCall = QStringLiteral("CALL");
const QString kCallEnd = QStringLiteral("CALL END");
} // namespace

GsmrampSession::GsmrampSession(CComm& comm, QObject* parent)
    : QObject(parent), target_(comm, kReplyTimeoutMs, this), callCaption_(kCall) {
    connect(&target_, &TargetSession::replied, this, &GsmrampSession::OnReply);
    connect(&target_, &TargetSession::timedOut, this, &GsmrampSession::OnTimeout);
}

void GsmrampSession::SelectTxLevel(const QString& level) {
    txLevel_ = level;
    SendChecked(QStringLiteral("txpw 1 ") + level);
}

void GsmrampSession::Load() {
    SendChecked(QStringLiteral("ttr ") + indexText_);
}

void GsmrampSession::SaveTemplate() {
    SendChecked(table_.WriteLine(indexText_));
}

void GsmrampSession::SaveDac(const QString& dac) {
    if (const RampBand* band = RampBandAt(bandIndex_))
        SendChecked(QString::fromLatin1(band->dacWritePrefix) + dac);
}

void GsmrampSession::EditRampValue(RampTable::Row row, int slot, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    table_.SetValue(
        row, slot,
        ParseDecWord(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    EmitTotals();
    // Until a template has been read there is no ramp to show.
    if (chartReady_)
        emit chartFed(table_.ChartHeights());
}

bool GsmrampSession::SendCommandWindowLine(const QString& line) {
    // Marks only a line that went out, so that a refused one cannot hold back the DAC read of
    // the next TX level.
    commandWindowLine_ = target_.Send(line);
    return commandWindowLine_;
}

void GsmrampSession::SaveToEeprom() {
    SendUnchecked(QStringLiteral("se 1"));
}

void GsmrampSession::ResetEeprom() {
    SendUnchecked(QStringLiteral("se 5"));
}

void GsmrampSession::ToggleCall() {
    const bool starting = callCaption_ == kCall;
    SendUnchecked(starting ? QStringLiteral("se 100") : QStringLiteral("se 101"));
    callCaption_ = starting ? kCallEnd : kCall;
    emit callCaptionChanged(callCaption_);
}

void GsmrampSession::SendChecked(const QString& line) {
    commandWindowLine_ = false;
    target_.Send(line);
}

void GsmrampSession::SendUnchecked(const QString& line) {
    commandWindowLine_ = false;
    target_.SendUnchecked(line);
}

void GsmrampSession::EmitTotals() {
    emit totalsChanged(table_.Total(RampTable::Up), table_.Total(RampTable::Down));
}
