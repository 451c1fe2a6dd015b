// Write, read and query, with the error-queue check and the log.
#include "drivers/wt4400/Wt4400Io.h"

#include "base/StationClock.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"
#include "visa/DriverIo.h"

#include <cstring>
#include <vector>

namespace {

constexpr size_t kMaxCommandLength = 1023;
constexpr size_t kMaxQueryLength = 255;
constexpr double kPollPeriodSeconds = 0.1;
constexpr double kMaxPollSeconds = 2000000.0;

} // namespace

ViStatus wt4400_write(ViSession session, ViConstString command) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!command || std::strlen(command) > kMaxCommandLength)
            return VI_ERROR_PARAMETER2;
        if (*command == '\0')
            return VI_SUCCESS;
        ViStatus status = VI_SUCCESS;
        if (!slot.simulated) {
            const QByteArray line = QByteArray(command) + '\n';
            ViUInt32 written = 0;
            status = viWrite(slot.visaSession, reinterpret_cast<ViConstBuf>(line.constData()),
                             static_cast<ViUInt32>(line.size()), &written);
        }
        wt4400_log(status, "write", command, session);
        return status;
    });
}

ViStatus wt4400_writeChecked(ViSession session, ViConstString command) {
    const ViStatus status = wt4400_write(session, command);
    if (status < VI_SUCCESS || !Checks(SlotOf(session)))
        return status;
    return wt4400_checkErrorQueue(session);
}

ViStatus wt4400_read(ViChar buffer[], ViInt16 size, ViSession session) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!buffer || size < 1)
            return VI_ERROR_PARAMETER2;
        buffer[0] = '\0';
        if (slot.simulated) {
            wt4400_log(VI_SUCCESS, "read", "(nothing!)", session);
            return VI_SUCCESS;
        }
        ViUInt32 got = 0;
        const ViStatus status = viRead(slot.visaSession, reinterpret_cast<ViPBuf>(buffer),
                                       static_cast<ViUInt32>(size), &got);
        // The last byte received is the terminator (or, for a reply that filled the buffer, the
        // place the terminating zero must go).
        buffer[status >= VI_SUCCESS && got > 0 ? got - 1 : 0] = '\0';
        if (status == VI_SUCCESS_MAX_CNT)
            DriverIo::DrainReply(slot.visaSession);
        wt4400_log(status, "read", buffer, session);
        return status;
    });
}

ViStatus wt4400_query(ViSession session, ViConstString query, ViChar reply[], ViInt16 size) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!query || std::strlen(query) > kMaxQueryLength)
            return VI_ERROR_PARAMETER2;
        if (!reply || size < 1)
            return VI_ERROR_PARAMETER3;
        reply[0] = '\0';
        const ViStatus status = wt4400_write(session, query);
        if (status < VI_SUCCESS)
            return status;
        const ViStatus readStatus = wt4400_read(reply, size, session);
        if (!Checks(slot))
            return readStatus;
        const ViStatus queueStatus = wt4400_checkErrorQueue(session);
        return readStatus >= VI_SUCCESS || IsInstrumentError(queueStatus) ? queueStatus
                                                                          : readStatus;
    });
}

ViStatus WriteLine(ViSession session, const QByteArray& line) {
    return wt4400_write(session, line.constData());
}

ViStatus QueryText(ViSession session, const QByteArray& query, int size, QByteArray* reply) {
    std::vector<ViChar> buffer(static_cast<size_t>(size));
    const ViStatus status =
        wt4400_query(session, query.constData(), buffer.data(), static_cast<ViInt16>(size));
    *reply = QByteArray(buffer.data());
    return status;
}

ViStatus ConfirmOpc(ViSession session) {
    QByteArray reply;
    const ViStatus status = QueryText(session, "*OPC?", 32, &reply);
    if (status < VI_SUCCESS || SlotOf(session).simulated)
        return status;
    ReplyScanner scanner(reply);
    ViInt32 done = 0;
    return scanner.Int(&done) && done == 1 ? status : WT4400_ERROR_READ;
}

ViStatus SendSetting(ViSession session, const QByteArray& line) {
    const ViStatus status = WriteLine(session, line);
    return status < VI_SUCCESS ? status : ConfirmOpc(session);
}

ViStatus QueryValues(ViSession session, const QByteArray& query, int replySize, ViReal64 values[],
                     int count, int integerAt) {
    QByteArray reply;
    const ViStatus status = QueryText(session, query, replySize, &reply);
    if (status < VI_SUCCESS)
        return status;
    if (SlotOf(session).simulated) {
        std::fill(values, values + count, 0.0);
        return status;
    }
    return ScanValues(reply, values, count, integerAt) ? status : WT4400_ERROR_READ;
}

bool PollRounds(double seconds, int* rounds) {
    if (!InRange(seconds, 0.0, kMaxPollSeconds))
        return false;
    // The small addition keeps 10 x 0.3 from coming out as 2.9999.
    *rounds = static_cast<int>(seconds / kPollPeriodSeconds + 1e-9);
    return true;
}

ViStatus PollBit(ViSession session, const char* query, ViInt32 bit, bool set, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        if (SlotOf(session).simulated)
            return VI_SUCCESS;
        QByteArray reply;
        const ViStatus status = QueryText(session, query, 1024, &reply);
        if (status < VI_SUCCESS)
            return status;
        ReplyScanner scanner(reply);
        ViInt32 value = 0;
        if (!scanner.Int(&value))
            return WT4400_ERROR_READ;
        if (((value & bit) != 0) == set)
            return VI_SUCCESS;
        StationClock::Wait(kPollPeriodSeconds);
    }
    return WT4400_ERROR_TIMEOUT;
}
