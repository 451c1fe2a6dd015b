// The error query and the status texts.
#include "drivers/supplies/SupplyIo.h"
#include "visa/StatusTexts.h"

using namespace supplies;

namespace {

// The driver's own codes and the meaning it gives a failed identification; the other
// VXIplug&play codes have their shared texts and VISA explains the rest.
const StatusText kMessages[] = {
    {SUPPLY_INSTR_ERROR_DETECTED, "Instrument error detected: read the instrument's error queue"},
    {SUPPLY_ERROR_NOT_SUPPORTED, "This supply model has no such function"},
    {VI_ERROR_FAIL_ID_QUERY, "Instrument identification query failed: not the model chosen"},
};

const char* DriverMessage(ViStatus status) {
    const char* text = FindStatusText(kMessages, status);
    return text ? text : VppStatusText(status);
}

} // namespace

ViStatus supply_error_query(ViSession session, ViInt32* code, ViChar message[]) {
    SupplySession* state = FindSession(session);
    if (!state)
        return VI_ERROR_INV_SESSION;
    if (!code)
        return VI_ERROR_PARAMETER2;
    if (!message)
        return VI_ERROR_PARAMETER3;
    DriverText::ErrorEntry error;
    if (state->keptError) {
        error = *state->keptError;
        state->keptError.reset();
    } else {
        const ViStatus status = ReadError(session, &error);
        if (status < VI_SUCCESS)
            return status;
    }
    *code = error.code;
    DriverText::CopyText(error.text, message, SUPPLY_MESSAGE_SIZE);
    return VI_SUCCESS;
}

ViStatus supply_error_message(ViSession session, ViStatus status, ViChar message[]) {
    if (!message)
        return VI_ERROR_PARAMETER3;
    message[0] = '\0';
    if (session != VI_NULL && !FindSession(session))
        return VI_ERROR_INV_SESSION;
    if (const char* text = DriverMessage(status)) {
        DriverText::CopyText(text, message, SUPPLY_MESSAGE_SIZE);
        return VI_SUCCESS;
    }
    // The session's own VISA detail names the resource when status was its last failure.
    static_assert(SUPPLY_MESSAGE_SIZE >= VI_FIND_BUFLEN, "viStatusDesc writes up to 256 bytes");
    return viStatusDesc(session, status, message);
}
