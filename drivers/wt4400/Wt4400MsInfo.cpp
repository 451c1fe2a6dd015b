// What the mobile station reports: levels, frame erasures and identity.
#include "base/StationClock.h"
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

constexpr int kReportWaits = 30;
constexpr double kReportPeriodSeconds = 0.1;
constexpr int kIdentityReplySize = 32;

// A text reply without the quotes SCPI string data carries.
QByteArray Unquoted(QByteArray text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"'))
        text = text.mid(1, text.size() - 2);
    return text;
}

ViStatus QueryIdentityText(ViSession session, const char* query, ViChar out[]) {
    QByteArray reply;
    const ViStatus status = QueryText(session, query, kIdentityReplySize, &reply);
    if (status >= VI_SUCCESS)
        DriverText::CopyText(Unquoted(reply), out, WT4400_MS_TEXT_SIZE);
    return status;
}

} // namespace

ViStatus wt4400_readMsReport(ViSession session, ViInt32* rxLevel, ViInt32* rxQuality,
                             ViInt32* timingAdvance) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!rxLevel || !rxQuality || !timingAdvance)
            return VI_ERROR_PARAMETER2;
        *rxLevel = *rxQuality = *timingAdvance = 0;
        // The first reports after a call is set up carry no level yet.
        for (int waits = 0;; ++waits) {
            QByteArray reply;
            const ViStatus status = QueryText(session, ":CALL:MSIN:RXL?;RXQ?;TADV?", 1024, &reply);
            if (status < VI_SUCCESS || slot.simulated)
                return status;
            ReplyScanner scanner(reply);
            if (!scanner.Int(rxLevel) || !scanner.SkipOne() || !scanner.Int(rxQuality) ||
                !scanner.SkipOne() || !scanner.Int(timingAdvance))
                return WT4400_ERROR_READ;
            if (*rxLevel != 0)
                return status;
            if (waits == kReportWaits)
                return WT4400_ERROR_VALUE;
            StationClock::Wait(kReportPeriodSeconds);
        }
    });
}

ViStatus wt4400_readFrameErasure(ViSession session, ViReal64* value) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!value)
            return VI_ERROR_PARAMETER2;
        return QueryValues(session, ":CALL:MSINFO:EFRC?", 1024, value, 1);
    });
}

ViStatus wt4400_readMsIdentity(ViSession session, ViChar imsi[], ViChar imei[], ViInt32* msClass,
                               ViChar number[]) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!imsi || !imei || !msClass || !number)
            return VI_ERROR_PARAMETER2;
        *msClass = 0;
        ViStatus status = QueryIdentityText(session, ":CALL:MSIN:IMSI?", imsi);
        if (status >= VI_SUCCESS)
            status = QueryIdentityText(session, ":CALL:MSIN:IMEI?", imei);
        QByteArray reply;
        if (status >= VI_SUCCESS)
            status = QueryText(session, ":CALL:MSIN:MSCL?", kIdentityReplySize, &reply);
        if (status >= VI_SUCCESS && !slot.simulated && !ReplyScanner(reply).Int(msClass))
            return WT4400_ERROR_READ;
        if (status >= VI_SUCCESS)
            status = QueryIdentityText(session, ":CALL:MSIN:NUMB?", number);
        return status;
    });
}
