#include "sessions/ImeiRwSession.h"

#include "base/MessageService.h"
#include "link/LinkTexts.h"
#include "link/ReplyOpcodes.h"
#include "link/Scanner.h"
#include "sessions/ImeiLines.h"

namespace {

enum : int {
    kSoftwareVersionTable = 10,
    kHardwareVersionTable = 11,
    kImeiTable = 60,
    kSerialTable = 61,
    kToneGainParam = 73,
    kRegionParam = 100,
};

QString OtherOpcodeText(std::uint8_t opcode) {
    switch (opcode) {
    case kOpTi:
        return QStringLiteral("tm init command error");
    case kOpStw:
        return QStringLiteral("special_table_write command error");
    case kOpStr:
        return QStringLiteral("special_table_read command error");
    default:
        return {};
    }
}

} // namespace

ImeiRwSession::ImeiRwSession(CComm& comm, ImeiTimings timings, QObject* parent)
    : QObject(parent), target_(comm, timings.replyTimeoutMs, this), timings_(timings),
      now_([] { return QDateTime::currentDateTime(); }) {
    connect(&target_, &TargetSession::replied, this, &ImeiRwSession::OnReply);
    connect(&target_, &TargetSession::timedOut, this, &ImeiRwSession::OnTimeout);
    // Without the phone the cycle cannot go on; the operator closed its port on purpose.
    connect(&comm, &CComm::closed, &sequence_, &PumpingSequence::Cancel);
}

ImeiRwSession::~ImeiRwSession() = default;

void ImeiRwSession::ReadImei() {
    target_.Send(QStringLiteral("str 60"));
}

void ImeiRwSession::WriteImei(const QStringList& groups) {
    // Each box holds exactly its share, so that digits typed into the wrong box are not taken
    // for another IMEI.
    bool fits = groups.size() == static_cast<int>(std::size(kImeiGroupSizes));
    for (int i = 0; fits && i < groups.size(); ++i)
        fits = groups[i].size() == kImeiGroupSizes[i];
    const QString imei = groups.join(QString());
    const std::optional<QString> problem =
        fits ? ImeiProblem(imei)
             : QStringLiteral("The IMEI boxes take 6, 2, 6 and 1 digits; \"%1\" does not fit them.")
                   .arg(groups.join(QLatin1Char(' ')));
    if (problem) {
        ShowMessage(*problem + QStringLiteral("\nThe IMEI was not written."),
                    MessageIcon::Exclamation);
        return;
    }
    target_.Send(ImeiWriteLine(imei));
}

void ImeiRwSession::ReadSoftwareVersion() {
    target_.Send(QStringLiteral("str 10"));
}

void ImeiRwSession::ReadHardwareVersion() {
    target_.Send(QStringLiteral("str 11"));
}

void ImeiRwSession::WriteHardwareVersion(const QString& text) {
    if (const auto problem = HardwareVersionProblem(text)) {
        ShowMessage(*problem, MessageIcon::Exclamation);
        return;
    }
    target_.Send(HardwareVersionWriteLine(text));
}

void ImeiRwSession::ReadSerial() {
    target_.Send(QStringLiteral("str 61"));
}

void ImeiRwSession::WriteSerial(const QString& text) {
    if (const auto problem = SerialProblem(text)) {
        ShowMessage(*problem, MessageIcon::Exclamation);
        return;
    }
    target_.Send(SerialWriteLine(text));
}

void ImeiRwSession::SetClockFromPc() {
    const QDateTime now = now_();
    fields_.time = TimeText(now);
    Changed();
    target_.Send(ClockWriteLine(now));
}

void ImeiRwSession::ReadRegion() {
    target_.Send(QStringLiteral("spr 100"));
}

void ImeiRwSession::WriteRegion() {
    if (const int code = RegionCode(regionChoice_))
        target_.Send(RegionWriteLine(code));
}

void ImeiRwSession::Next() {
    const QString scanned = fields_.scanned;
    const QString region = fields_.region;
    fields_ = ImeiFields{};
    fields_.scanned = scanned;
    fields_.region = region;
    Changed();
}

void ImeiRwSession::OnReply(const TargetReply& reply) {
    switch (reply.Class()) {
    case REPLY_OTHER_OPCODE:
        if (const QString text = OtherOpcodeText(reply.Opcode()); !text.isEmpty())
            ShowMessage(text, MessageIcon::Exclamation);
        break;
    case REPLY_STATUS_ERROR:
        ShowMessage(QStringLiteral("Status is error. "), MessageIcon::Exclamation);
        break;
    case REPLY_SUCCESS:
        OnSuccess(reply);
        break;
    case REPLY_NOT_A_REPLY:
        break;
    }
}

void ImeiRwSession::OnSuccess(const TargetReply& reply) {
    const int index = reply.Index();
    switch (reply.Opcode()) {
    case kOpTi:
    case kOpSe:
        break;
    case kOpStr:
        if (index == kImeiTable) {
            fields_.imei = ImeiFromReply(reply);
            SetAck(&imeiAck_);
        } else if (index == kSoftwareVersionTable) {
            fields_.softwareVersion = SoftwareVersionFromReply(reply);
        } else if (index == kHardwareVersionTable) {
            fields_.hardwareVersion = HardwareVersionFromReply(reply);
        } else if (index == kSerialTable) {
            fields_.serial = SerialFromReply(reply);
        }
        Changed();
        break;
    case kOpStw:
        if (index == kImeiTable)
            SetAck(&imeiAck_);
        break;
    case kOpSpw:
        if (index == kToneGainParam)
            target_.SendUnchecked(QStringLiteral("spw 74 1"));
        else if (index == kRegionParam)
            SetAck(&regionAck_);
        break;
    case kOpSpr:
        if (index == kRegionParam) {
            fields_.region = RegionFromReply(reply);
            Changed();
        }
        break;
    default:
        ShowMessage(QStringLiteral("command error"), MessageIcon::Exclamation);
        break;
    }
}

void ImeiRwSession::SetAck(int* flag) {
    *flag = 1;
    sequence_.Wake();
}

void ImeiRwSession::OnTimeout() {
    ShowMessage(QString::fromLatin1(kNoResponseText), MessageIcon::Exclamation);
}
