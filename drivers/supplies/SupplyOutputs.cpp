// The supply roles: program voltage and current limit, switch the output, measure the current.
#include "drivers/supplies/SupplyIo.h"
#include "drivers/supplies/SupplyModels.h"
#include "visa/DriverText.h"

#include <cmath>

using namespace supplies;

namespace {

// The session's state and the pattern of role for output; nothing is sent for a role the model
// does not have or an output it lacks.
struct Call {
    SupplySession* state = nullptr;
    const SupplyCommands* commands = nullptr;
    const char* pattern = nullptr;
    ViInt16 output = 1;

    QByteArray Line(Substitutions values) const {
        return FillPattern(*commands, pattern, output, values);
    }
};

ViStatus Resolve(ViSession session, SupplyRole role, ViInt16 output, Call* call) {
    call->state = FindSession(session);
    if (!call->state)
        return VI_ERROR_INV_SESSION;
    call->commands = &CommandsOf(call->state->model);
    call->pattern = call->commands->*role;
    if (!call->pattern)
        return SUPPLY_ERROR_NOT_SUPPORTED;
    if (!HasOutput(*call->commands, output))
        return VI_ERROR_PARAMETER2;
    call->output = output;
    return VI_SUCCESS;
}

// One value and its line.
ViStatus SetValue(ViSession session, SupplyRole role, ViInt16 output, const char* placeholder,
                  ViReal64 value) {
    Call call;
    const ViStatus status = Resolve(session, role, output, &call);
    if (status < VI_SUCCESS)
        return status;
    if (!std::isfinite(value))
        return VI_ERROR_PARAMETER3;
    return SendChecked(session, *call.state,
                       call.Line({{placeholder, DriverText::ScpiNumber(value)}}));
}

} // namespace

ViStatus supply_outputVoltCurr(ViSession session, ViReal64 volts, ViReal64 amps) {
    Call call;
    const ViStatus status = Resolve(session, &SupplyCommands::voltageAndCurrent, 1, &call);
    if (status < VI_SUCCESS)
        return status;
    if (!std::isfinite(volts))
        return VI_ERROR_PARAMETER2;
    if (!std::isfinite(amps))
        return VI_ERROR_PARAMETER3;
    return SendChecked(
        session, *call.state,
        call.Line({{"{V}", DriverText::ScpiNumber(volts)}, {"{A}", DriverText::ScpiNumber(amps)}}));
}

ViStatus supply_setVoltage(ViSession session, ViInt16 output, ViReal64 volts) {
    return SetValue(session, &SupplyCommands::voltage, output, "{V}", volts);
}

ViStatus supply_setCurrent(ViSession session, ViInt16 output, ViReal64 amps) {
    return SetValue(session, &SupplyCommands::current, output, "{A}", amps);
}

ViStatus supply_outputOn(ViSession session, ViInt16 on) {
    Call call;
    const ViStatus status = Resolve(session, &SupplyCommands::output, 1, &call);
    if (status < VI_SUCCESS)
        return status;
    return SendChecked(session, *call.state, call.Line({{"{S}", on ? "ON" : "OFF"}}));
}

ViStatus supply_measureCurrent(ViSession session, ViInt16 output, ViReal64* amps) {
    Call call;
    ViStatus status = Resolve(session, &SupplyCommands::measureCurrent, output, &call);
    if (status < VI_SUCCESS)
        return status;
    if (!amps)
        return VI_ERROR_PARAMETER3;
    QByteArray reply;
    status = Query(session, call.Line({}), &reply);
    double value = 0.0;
    if (status >= VI_SUCCESS && !DriverText::ParseFinite(reply, &value))
        status = VI_ERROR_INV_RESPONSE;
    status = FinishCall(session, *call.state, status);
    if (status >= VI_SUCCESS)
        *amps = value;
    return status;
}
