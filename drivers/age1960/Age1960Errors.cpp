// The error query and the texts of the statuses.
#include "drivers/age1960/Age1960Io.h"
#include "visa/StatusTexts.h"

using namespace age1960;

namespace {

// The driver's own codes and its meaning of a failed identification; the other VXIplug&play codes
// have their shared texts and VISA explains the rest.
const StatusText kMessages[] = {
    {VI_SUCCESS, "No error"},
    {AGE1960_INSTR_ERROR_DETECTED, "Instrument error detected: read it with age1960_error_query"},
    {AGE1960_ERROR_NO_VALUE, "The instrument has no value for the result (9.91E+37)"},
    {AGE1960_ERROR_NOT_CONNECTED, "The call was not connected when the wait ended"},
    {VI_ERROR_FAIL_ID_QUERY, "The instrument did not identify itself as an 8960 (E5515)"},
};

const char* DriverMessage(ViStatus status) {
    const char* text = FindStatusText(kMessages, status);
    return text ? text : VppStatusText(status);
}

// The driver's text, with the first error the instrument reported when one is waiting.
QByteArray WithWaitingError(const Age1960Session* session, ViStatus status, const char* text) {
    QByteArray message(text);
    if (status == AGE1960_INSTR_ERROR_DETECTED && session && !session->keptErrors.empty()) {
        const DriverText::ErrorEntry& first = session->keptErrors.front();
        message += " (" + QByteArray::number(first.code) + ",\"" + first.text + "\")";
    }
    return message;
}

// The first kept error, or the next entry of the instrument's queue when none is kept.
ViStatus TakeError(Age1960Session& session, DriverText::ErrorEntry* error) {
    if (session.keptErrors.empty())
        return ReadError(session, error);
    *error = session.keptErrors.front();
    session.keptErrors.pop_front();
    return VI_SUCCESS;
}

} // namespace

ViStatus age1960_error_query(ViSession session, ViInt32* code, ViChar message[]) {
    return OnSession(session, [&](Age1960Session& found) {
        if (!code)
            return VI_ERROR_PARAMETER2;
        if (!message)
            return VI_ERROR_PARAMETER3;
        *code = 0;
        message[0] = '\0';
        DriverText::ErrorEntry error;
        const ViStatus status = TakeError(found, &error);
        if (status < VI_SUCCESS)
            return status;
        *code = error.code;
        DriverText::CopyText(error.text, message, AGE1960_MESSAGE_SIZE);
        return status;
    });
}

ViStatus age1960_error_message(ViSession session, ViStatus status, ViChar message[]) {
    if (!message)
        return VI_ERROR_PARAMETER3;
    ViStatus validity = VI_SUCCESS;
    const Age1960Session* found = FindSession(session, &validity);
    if (const char* text = DriverMessage(status)) {
        DriverText::CopyText(WithWaitingError(found, status, text), message, AGE1960_MESSAGE_SIZE);
        return VI_SUCCESS;
    }
    // VISA's text names the resource when the status is the session's last failure.
    ViChar text[VI_FIND_BUFLEN] = {};
    const ViStatus described = viStatusDesc(found ? found->visa : VI_NULL, status, text);
    DriverText::CopyText(text, message, AGE1960_MESSAGE_SIZE);
    return described;
}
