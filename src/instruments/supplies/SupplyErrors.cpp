// The error query and the status texts.
#include "SupplyIo.h"
#include "SupplyText.h"

using namespace supplies;

namespace {

struct MessageEntry {
    ViStatus status;
    const char* text;
};

// The driver's own codes and the VXIplug&play ones it returns; VISA explains the rest.
const MessageEntry kMessages[] = {
    {SUPPLY_INSTR_ERROR_DETECTED, "Instrument error detected: read the instrument's error queue"},
    {SUPPLY_ERROR_NOT_SUPPORTED, "This supply model has no such function"},
    {VI_ERROR_PARAMETER1, "Parameter 1 out of range"},
    {VI_ERROR_PARAMETER2, "Parameter 2 out of range"},
    {VI_ERROR_PARAMETER3, "Parameter 3 out of range"},
    {VI_ERROR_PARAMETER4, "Parameter 4 out of range"},
    {kSupplyErrorParameter5, "Parameter 5 out of range"},
    {VI_ERROR_FAIL_ID_QUERY, "Instrument identification query failed: not the model chosen"},
    {VI_ERROR_INV_RESPONSE, "The instrument's reply could not be interpreted"},
};

const char* DriverMessage(ViStatus status) {
    for (const MessageEntry& entry : kMessages) {
        if (entry.status == status)
            return entry.text;
    }
    return nullptr;
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
    SupplyError error;
    if (state->keptError) {
        error = *state->keptError;
        state->keptError.reset();
    } else {
        const ViStatus status = ReadError(session, &error);
        if (status < VI_SUCCESS)
            return status;
    }
    *code = error.code;
    CopyText(error.text, message, SUPPLY_MESSAGE_SIZE);
    return VI_SUCCESS;
}

ViStatus supply_error_message(ViSession session, ViStatus status, ViChar message[]) {
    if (!message)
        return VI_ERROR_PARAMETER3;
    message[0] = '\0';
    if (session != VI_NULL && !FindSession(session))
        return VI_ERROR_INV_SESSION;
    if (const char* text = DriverMessage(status)) {
        CopyText(text, message, SUPPLY_MESSAGE_SIZE);
        return VI_SUCCESS;
    }
    // The session's own VISA detail names the resource when status was its last failure.
    static_assert(SUPPLY_MESSAGE_SIZE >= VI_FIND_BUFLEN, "viStatusDesc writes up to 256 bytes");
    return viStatusDesc(session, status, message);
}
