// The instrument's date and time.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

#include <QList>

#include <cstring>

namespace {

constexpr int kDateSize = 12;
constexpr int kTimeSize = 10;
constexpr size_t kMaxDateLength = 12;
constexpr size_t kMaxTimeLength = 11;

bool Changes(ViConstString text) {
    return std::strcmp(text, WT4400_NO_CHANGE) != 0;
}

} // namespace

ViStatus wt4400_readDateTime(ViSession session, ViChar date[], ViChar time[]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!date)
            return VI_ERROR_PARAMETER2;
        if (!time)
            return VI_ERROR_PARAMETER3;
        QByteArray reply;
        ViStatus status = QueryText(session, ":SYST:DATE?", kDateSize - 1, &reply);
        DriverText::CopyText(reply, date, kDateSize);
        if (status < VI_SUCCESS)
            return status;
        status = QueryText(session, ":SYST:TIME?", kTimeSize - 1, &reply);
        DriverText::CopyText(reply, time, kTimeSize);
        return status;
    });
}

ViStatus wt4400_setDateTime(ViSession session, ViConstString date, ViConstString time) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!date || std::strlen(date) > kMaxDateLength)
            return WT4400_ERROR_NOT_ALLOWED;
        if (!time || std::strlen(time) > kMaxTimeLength)
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        if (Changes(date))
            parts.append(QByteArray(":SYST:DATE ") + date);
        if (Changes(time))
            parts.append(QByteArray(":SYST:TIME ") + time);
        // Two settings in one line need their separator; run together they would be one header.
        return parts.isEmpty() ? VI_SUCCESS : SendSetting(session, parts.join(';'));
    });
}
