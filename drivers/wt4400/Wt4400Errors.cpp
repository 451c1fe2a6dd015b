// The instrument's error queue and the status texts.
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"
#include "visa/StatusTexts.h"

namespace {

// SCPI error numbers lie within -32768 to 32767 (SCPI-99, 21.8); anything else is a reply that
// went wrong, and would overflow the status arithmetic.
constexpr ViInt32 kMaxScpiErrorMagnitude = 32767;
// An instrument's queue holds a few dozen entries at most; a reply that never reads 0 must not
// hold the driver for ever.
constexpr int kMaxQueueReadings = 64;
constexpr int kErrorReplySize = WT4400_ERROR_TEXT_SIZE - 1;

// By the instrument's SCPI error number.
const StatusText kMessages[] = {
    {0, "No Error"},
    {-100, "Command Error"},
    {-101, "Invalid Character"},
    {-102, "Syntax Error"},
    {-103, "Invalid Separator"},
    {-104, "Data Type Error"},
    {-108, "Parameter not allowed"},
    {-109, "Missing Parameter"},
    {-112, "Program Mnemonic too long"},
    {-113, "Undefined Header"},
    {-114, "Timeout Error"},
    {-115, "Read Error"},
    {-116, "Value Result Error"},
    {-200, "Execution Error"},
    {-225, "Out of Memory"},
    {-233, "Invalid Version"},
    {-240, "Hardware Error"},
    {-300, "Device Specific Error"},
    {-311, "Memory Error"},
    {-315, "Configuration Memory Lost"},
    {-330, "Self Test Failed"},
    {-340, "Calibration failed"},
    {-350, "Queue overflow"},
    {-360, "Communication Error"},
    {-400, "Query Error"},
    {-401, "A other function should be called before"},
};

ViStatus QueueCheckFailed(ViSession session, ViStatus status) {
    wt4400_log(status, "error ", "queue check failed", session);
    return status;
}

} // namespace

ViStatus wt4400_readError(ViSession session, ViInt32* code, ViChar text[]) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!code)
            return VI_ERROR_PARAMETER2;
        *code = 0;
        if (text)
            text[0] = '\0';
        ViChar reply[WT4400_ERROR_TEXT_SIZE] = {};
        ViStatus status = wt4400_write(session, ":SYST:ERR?");
        if (status >= VI_SUCCESS)
            status = wt4400_read(reply, kErrorReplySize, session);
        if (status < VI_SUCCESS || slot.simulated)
            return status;
        ReplyScanner scanner{QByteArray(reply)};
        ViInt32 number = 0;
        if (!scanner.Int(&number) || number < -kMaxScpiErrorMagnitude ||
            number > kMaxScpiErrorMagnitude)
            return VI_ERROR_INV_RESPONSE;
        *code = number;
        if (text && scanner.Literal(',') && scanner.Literal('"'))
            DriverText::CopyText(scanner.Until('"'), text, WT4400_ERROR_TEXT_SIZE);
        return status;
    });
}

ViStatus wt4400_checkErrorQueue(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        slot.lastErrorText.clear();
        slot.lastErrorCode = -1; // not read yet
        for (int reading = 0; reading < kMaxQueueReadings; ++reading) {
            ViInt32 code = 0;
            ViChar text[WT4400_ERROR_TEXT_SIZE] = {};
            const ViStatus status = wt4400_readError(session, &code, text);
            if (status < VI_SUCCESS)
                return QueueCheckFailed(session, status);
            if (reading == 0) {
                slot.lastErrorCode = code;
                slot.lastErrorText = text;
            }
            if (code == 0)
                break;
        }
        if (slot.lastErrorCode == 0)
            return VI_SUCCESS;
        const ViStatus status = InstrumentError(slot.lastErrorCode);
        const QByteArray message = Number(slot.lastErrorCode) + ",\"" + slot.lastErrorText + '"';
        wt4400_log(status, "error ", message.constData(), session);
        return status;
    });
}

ViStatus wt4400_errorMessage(ViStatus status, ViChar text[]) {
    if (!text)
        return VI_ERROR_PARAMETER2;
    const char* message = FindStatusText(kMessages, status);
    DriverText::CopyText(message ? message : "Interface Error", text, WT4400_MESSAGE_SIZE);
    return VI_SUCCESS;
}

ViStatus wt4400_errorMessageEx(ViSession session, ViStatus status, ViChar text[]) {
    if (!text)
        return VI_ERROR_PARAMETER3;
    const auto code = static_cast<ViUInt32>(status);
    if (code < 0xBFFE0001u || code >= static_cast<ViUInt32>(WT4400_INSTRUMENT_ERROR_BASE))
        return wt4400_errorMessage(status, text);
    ViStatus validity = VI_SUCCESS;
    const Wt4400Slot* slot = ValidSlot(session, &validity);
    if (!slot)
        return wt4400_errorMessage(validity, text);
    DriverText::CopyText("Instrument Error Message: " + slot->lastErrorText, text,
                         WT4400_MESSAGE_SIZE);
    return VI_SUCCESS;
}
