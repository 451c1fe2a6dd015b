#pragma once

// supplies: our SCPI driver of the bench supplies, one command table per model. The model is
// chosen at initialisation and kept with the session; a role a model does not have answers
// SUPPLY_ERROR_NOT_SUPPORTED. After each call the driver reads "SYST:ERR?" and returns
// SUPPLY_INSTR_ERROR_DETECTED when the instrument queued an error (kept for supply_error_query).
// Status: 0 success, negative failure, positive warning. A session is the instrument's VISA
// session. Call from one thread.

#include "visa/Visa.h"
#include "visa/VppStatus.h"

enum class SupplyModel {
    k66311B, // single output; voltage, current and output on in one call
    kE3631A, // triple output; output 1 is +6 V (P6V)
    kE3632A, // single output; the E3633A takes the same commands
};

inline constexpr ViStatus SUPPLY_INSTR_ERROR_DETECTED = DRIVER_INSTR_ERROR_DETECTED;
inline constexpr ViStatus SUPPLY_ERROR_NOT_SUPPORTED = static_cast<ViStatus>(0xBFFC0D42u);

inline constexpr int SUPPLY_MESSAGE_SIZE = 256; // error query and error message texts

ViStatus supply_init(SupplyModel model, ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                     ViSession* session);
ViStatus supply_close(ViSession session);
// The "*IDN?" reply read by the ID query at init (empty without one); text holds
// SUPPLY_MESSAGE_SIZE bytes.
ViStatus supply_identity(ViSession session, ViChar text[]);
// The 66311B's one call: "VOLT v;CURR i;OUTP ON".
ViStatus supply_outputVoltCurr(ViSession session, ViReal64 volts, ViReal64 amps);
// output: 1 to 3 on the E3631A; ignored by the single-output models.
ViStatus supply_setVoltage(ViSession session, ViInt16 output, ViReal64 volts);
ViStatus supply_setCurrent(ViSession session, ViInt16 output, ViReal64 amps);
ViStatus supply_outputOn(ViSession session, ViInt16 on);
ViStatus supply_measureCurrent(ViSession session, ViInt16 output, ViReal64* amps);
ViStatus supply_dcl(ViSession session);
// message holds SUPPLY_MESSAGE_SIZE bytes.
ViStatus supply_error_query(ViSession session, ViInt32* code, ViChar message[]);
ViStatus supply_error_message(ViSession session, ViStatus status, ViChar message[]);
