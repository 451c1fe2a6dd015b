// Commands and queries given by the caller as text.
#include "drivers/age1960/Age1960Arguments.h"
#include "drivers/age1960/Age1960Io.h"
#include "drivers/age1960/Age1960Text.h"

#include <limits>

using namespace age1960;

ViStatus age1960_cmd(ViSession session, ViConstString command) {
    return OnSession(session, [&](Age1960Session& found) {
        return command ? SendChecked(found, command) : VI_ERROR_PARAMETER2;
    });
}

ViStatus age1960_cmdReal(ViSession session, ViConstString command, ViReal64 value) {
    return OnSession(session, [&](Age1960Session& found) {
        if (!command)
            return VI_ERROR_PARAMETER2;
        if (!IsFinite(value))
            return VI_ERROR_PARAMETER3;
        return SendChecked(found, QByteArray(command) + ' ' + DriverText::ScpiNumber(value));
    });
}

ViStatus age1960_cmdReal64_Q(ViSession session, ViConstString query, ViReal64* value) {
    return OnSession(session, [&](Age1960Session& found) {
        if (!query)
            return VI_ERROR_PARAMETER2;
        if (!value)
            return VI_ERROR_PARAMETER3;
        // A caller that overlooks the status must not take a failure for a plausible result.
        *value = std::numeric_limits<ViReal64>::quiet_NaN();
        QByteArray reply;
        const ViStatus status = QueryChecked(found, query, &reply);
        if (status < VI_SUCCESS)
            return status;
        const ViStatus parsed = ParseResult(FirstField(reply), value);
        return parsed < VI_SUCCESS ? parsed : status;
    });
}
