// The error query and the texts of the statuses.
#include "Age1960Arguments.h"
#include "Age1960Io.h"
#include "Age1960Text.h"

using namespace age1960;

namespace {

struct MessageEntry {
    ViStatus status;
    const char* text;
};

const MessageEntry kMessages[] = {
    {VI_SUCCESS, "No error"},
    {AGE1960_INSTR_ERROR_DETECTED, "Instrument error detected: read it with age1960_error_query"},
    {AGE1960_ERROR_NO_VALUE, "The instrument has no value for the result (9.91E+37)"},
    {AGE1960_ERROR_NOT_CONNECTED, "The call was not connected when the wait ended"},
    {VI_ERROR_PARAMETER1, "Parameter 1 is out of range"},
    {VI_ERROR_PARAMETER2, "Parameter 2 is out of range"},
    {VI_ERROR_PARAMETER3, "Parameter 3 is out of range"},
    {VI_ERROR_PARAMETER4, "Parameter 4 is out of range"},
    {kAge1960Parameter5, "Parameter 5 is out of range"},
    {VI_ERROR_FAIL_ID_QUERY, "The instrument did not identify itself as an 8960 (E5515)"},
    {VI_ERROR_INV_RESPONSE, "The instrument's reply could not be interpreted"},
};

const char* DriverMessage(ViStatus status) {
    for (const MessageEntry& entry : kMessages) {
        if (entry.status == status)
            return entry.text;
    }
    return nullptr;
}

// The driver's text, with the first error the instrument reported when one is waiting.
QByteArray DriverText(const Age1960Session* session, ViStatus status, const char* text) {
    QByteArray message(text);
    if (status == AGE1960_INSTR_ERROR_DETECTED && session && !session->keptErrors.empty()) {
        const Age1960Error& first = session->keptErrors.front();
        message += " (" + QByteArray::number(first.code) + ",\"" + first.text + "\")";
    }
    return message;
}

} // namespace

ViStatus age1960_error_query(ViSession session, ViInt32* code, ViChar message[]) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(session, &status);
    if (!found)
        return status;
    if (!code)
        return VI_ERROR_PARAMETER2;
    if (!message)
        return VI_ERROR_PARAMETER3;
    *code = 0;
    message[0] = '\0';
    Age1960Error error;
    if (!found->keptErrors.empty()) {
        error = found->keptErrors.front();
        found->keptErrors.pop_front();
    } else {
        QByteArray reply;
        status = Query(*found, Age1960Scpi::kErrorQuery, &reply);
        if (status < VI_SUCCESS)
            return status;
        if (!ParseErrorReply(reply, &error))
            return VI_ERROR_INV_RESPONSE;
    }
    *code = error.code;
    CopyText(error.text, message, AGE1960_MESSAGE_SIZE);
    return status;
}

ViStatus age1960_error_message(ViSession session, ViStatus status, ViChar message[]) {
    if (!message)
        return VI_ERROR_PARAMETER3;
    ViStatus validity = VI_SUCCESS;
    const Age1960Session* found = FindSession(session, &validity);
    if (const char* text = DriverMessage(status)) {
        CopyText(DriverText(found, status, text), message, AGE1960_MESSAGE_SIZE);
        return VI_SUCCESS;
    }
    // VISA's text names the resource when the status is the session's last failure.
    ViChar text[VI_FIND_BUFLEN] = {};
    const ViStatus described = viStatusDesc(found ? found->visa : VI_NULL, status, text);
    CopyText(text, message, AGE1960_MESSAGE_SIZE);
    return described;
}
