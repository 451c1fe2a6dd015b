// Commands and queries given by the caller as text.
#include "Age1960Arguments.h"
#include "Age1960Io.h"
#include "Age1960Text.h"

#include <limits>

using namespace age1960;

ViStatus age1960_cmd(ViSession session, ViConstString command) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!command)
        return VI_ERROR_PARAMETER2;
    return SendChecked(*found, command);
}

ViStatus age1960_cmdReal(ViSession session, ViConstString command, ViReal64 value) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!command)
        return VI_ERROR_PARAMETER2;
    if (!IsFinite(value))
        return VI_ERROR_PARAMETER3;
    return SendChecked(*found, QByteArray(command) + ' ' + ScpiNumber(value));
}

ViStatus age1960_cmdReal64_Q(ViSession session, ViConstString query, ViReal64* value) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!query)
        return VI_ERROR_PARAMETER2;
    if (!value)
        return VI_ERROR_PARAMETER3;
    // A caller that overlooks the status must not take a failure for a plausible result.
    *value = std::numeric_limits<ViReal64>::quiet_NaN();
    QByteArray reply;
    status = QueryChecked(*found, query, &reply);
    if (status < VI_SUCCESS)
        return status;
    double parsed = 0.0;
    if (!ParseReal(FirstField(reply), &parsed))
        return VI_ERROR_INV_RESPONSE;
    if (IsNoValue(parsed))
        return AGE1960_ERROR_NO_VALUE;
    *value = parsed;
    return status;
}
