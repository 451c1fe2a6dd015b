// The driver's log of every line sent and received: to the rftune.wt4400 log ("console") or
// appended to a file, one fixed layout either way.
#include "drivers/wt4400/Wt4400Slots.h"

#include <QFile>

#include <algorithm>

namespace {

const char kHeader[] = "INSTR.  |ID|    STATUS|IO-MODE|MESSAGE";
constexpr qsizetype kFirstLineWidth = 65; // prefix and message together
constexpr qsizetype kContinuationWidth = 59;
constexpr qsizetype kContinuationIndent = 31;
constexpr qsizetype kMaxFileNameLength = 50;

void Emit(const Wt4400Slot& slot, const QByteArray& line) {
    if (slot.logMode == 1) {
        qCInfo(lcWt4400).noquote() << line;
        return;
    }
    QFile file(QString::fromLocal8Bit(slot.logFileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line + '\n');
}

bool StartFile(const QByteArray& name, bool append) {
    QFile file(QString::fromLocal8Bit(name));
    return file.open(QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate));
}

QByteArray LineStart(ViStatus status, ViSession session, const Wt4400Slot& slot) {
    const QByteArray mode = slot.simulated ? "S " : slot.noCheck ? "  " : "E ";
    return "WT4400  " + QByteArray::number(session).rightJustified(2, ' ') + " 0x" +
           QByteArray::number(static_cast<ViUInt32>(status), 16).rightJustified(8, '0') + ' ' +
           mode;
}

} // namespace

ViStatus wt4400_setMode(ViSession session, ViInt16 mode, ViInt16 logDestination,
                        ViConstString logFileName, ViInt16 append) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (mode < 0 || mode > 2)
            return VI_ERROR_PARAMETER1;
        if (logDestination < 0 || logDestination > 2)
            return VI_ERROR_PARAMETER2;
        const QByteArray fileName = logFileName ? QByteArray(logFileName) : QByteArray();
        if (logDestination == 2 && (fileName.isEmpty() || fileName.size() > kMaxFileNameLength))
            return VI_ERROR_PARAMETER3;
        if (append != 0 && append != 1)
            return VI_ERROR_PARAMETER4;
        if (logDestination == 2 && !StartFile(fileName, append == 1))
            return VI_ERROR_PARAMETER3;
        const bool noCheck = mode != 1;
        if (noCheck != slot.noCheck)
            slot.lastErrorText.clear();
        slot.simulated = mode == 2;
        slot.noCheck = noCheck;
        slot.logMode = logDestination;
        slot.logFileName = logDestination == 2 ? fileName : QByteArray();
        if (logDestination != 0)
            Emit(slot, kHeader);
        return VI_SUCCESS;
    });
}

ViStatus wt4400_getMode(ViSession session, ViInt16* simulated, ViInt16* noCheck, ViInt16* logMode) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (simulated)
            *simulated = slot.simulated ? 1 : 0;
        if (noCheck)
            *noCheck = slot.noCheck ? 1 : 0;
        if (logMode)
            *logMode = slot.logMode;
        return VI_SUCCESS;
    });
}

ViStatus wt4400_log(ViStatus status, ViConstString prefix, ViConstString message,
                    ViSession session) {
    if (!InTable(session) || SlotOf(session).logMode == 0)
        return VI_SUCCESS;
    const Wt4400Slot& slot = SlotOf(session);
    const QByteArray head = prefix ? QByteArray(prefix) : QByteArray();
    const QByteArray text = message ? QByteArray(message) : QByteArray();
    const qsizetype firstWidth = std::max<qsizetype>(0, kFirstLineWidth - head.size());
    Emit(slot, LineStart(status, session, slot) + head + text.left(firstWidth));
    for (qsizetype at = firstWidth; at < text.size(); at += kContinuationWidth)
        Emit(slot, QByteArray(kContinuationIndent, ' ') + text.mid(at, kContinuationWidth));
    return VI_SUCCESS;
}
