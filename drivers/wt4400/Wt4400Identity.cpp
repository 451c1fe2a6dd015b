// Identity, revision, reset and the settings cache; the search for instruments.
#include "base/StationClock.h"
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

#include <QRegularExpression>

namespace {

const char kDriverRevision[] = "2.7 $";
constexpr double kResetSettlingSeconds = 2.0;

} // namespace

ViStatus wt4400_identify(ViSession session, ViChar reply[], ViInt16 size) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!reply || size < 1)
            return VI_ERROR_PARAMETER2;
        reply[0] = '\0';
        const ViStatus status = wt4400_write(session, "*IDN?");
        if (status < VI_SUCCESS)
            return status;
        const ViStatus readStatus = wt4400_read(reply, size, session);
        // The queue is read for the session's last error; its verdict does not overrule the reply,
        // and a failed read is never reported as an identity.
        if (Checks(slot))
            wt4400_checkErrorQueue(session);
        return readStatus < VI_SUCCESS ? readStatus : VI_SUCCESS;
    });
}

ViStatus wt4400_identity(ViSession session, ViChar text[]) {
    return OnSlot(session, [text](const Wt4400Slot& slot) {
        if (!text)
            return VI_ERROR_PARAMETER2;
        DriverText::CopyText(slot.identity, text, WT4400_MESSAGE_SIZE);
        return VI_SUCCESS;
    });
}

ViStatus wt4400_revision(ViSession session, ViChar driverRevision[], ViChar firmwareRevision[]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!driverRevision)
            return VI_ERROR_PARAMETER2;
        if (!firmwareRevision)
            return VI_ERROR_PARAMETER3;
        DriverText::CopyText(kDriverRevision, driverRevision, WT4400_MESSAGE_SIZE);
        firmwareRevision[0] = '\0';
        ViChar identity[WT4400_MESSAGE_SIZE] = {};
        const ViStatus status = wt4400_identify(session, identity, WT4400_MESSAGE_SIZE);
        if (status < VI_SUCCESS)
            return status;
        const QList<QByteArray> fields = QByteArray(identity).split(',');
        if (fields.value(0).trimmed().isEmpty() && fields.value(1).trimmed().isEmpty())
            return VI_ERROR_INV_RESPONSE;
        QByteArray firmware = fields.value(3);
        if (const qsizetype quote = firmware.indexOf('"'); quote >= 0)
            firmware.truncate(quote);
        firmware = firmware.trimmed();
        DriverText::CopyText(firmware == "0" ? QByteArray("Not Available") : firmware,
                             firmwareRevision, WT4400_MESSAGE_SIZE);
        return VI_SUCCESS;
    });
}

ViStatus wt4400_reset(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const ViStatus status = WriteLine(session, "*RST");
        // *RST returns the instrument to its defaults, so nothing cached holds any more.
        wt4400_resetCache(session);
        return status < VI_SUCCESS ? status : ConfirmOpc(session);
    });
}

ViStatus wt4400_resetAndCheck(ViSession session) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        ViStatus status = WriteLine(session, "*RST");
        wt4400_resetCache(session);
        if (status < VI_SUCCESS)
            return status;
        StationClock::Wait(kResetSettlingSeconds);
        if (!Checks(slot))
            return VI_SUCCESS;
        // Errors the instrument queued before or during the reset are read away, not reported.
        status = wt4400_checkErrorQueue(session);
        return IsInstrumentError(status) ? VI_SUCCESS : status;
    });
}

ViStatus wt4400_resetCache(ViSession session) {
    return OnSlot(session, [](Wt4400Slot& slot) {
        slot.cache = Wt4400Cache{};
        return VI_SUCCESS;
    });
}

ViStatus wt4400_findResources(ViInt32 board) {
    ViSession rm = VI_NULL;
    ViStatus status = viOpenDefaultRM(&rm);
    if (status < VI_SUCCESS)
        return status;
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar name[VI_FIND_BUFLEN] = {};
    status = viFindRsrc(rm, "?*INSTR", &list, &count, name);
    static const QRegularExpression gpib(QStringLiteral("^GPIB(\\d*)::(\\d+)(?:::(\\d+))?::INSTR$"),
                                         QRegularExpression::CaseInsensitiveOption);
    int listed = 0;
    for (ViUInt32 i = 0; status >= VI_SUCCESS && i < count; ++i) {
        if (i > 0 && viFindNext(list, name) < VI_SUCCESS)
            break;
        const QRegularExpressionMatch match = gpib.match(QString::fromLatin1(name));
        const int found = match.captured(1).toInt();
        if (!match.hasMatch() || (board >= 0 && found != board))
            continue;
        QString resource = QStringLiteral("GPIB%1::%2").arg(found).arg(match.captured(2));
        if (match.hasCaptured(3))
            resource += QStringLiteral("::") + match.captured(3);
        qCInfo(lcWt4400).noquote() << "found" << resource;
        ++listed;
    }
    viClose(rm);
    return status < VI_SUCCESS ? status : listed > 0 ? VI_SUCCESS : VI_ERROR_RSRC_NFOUND;
}
