#include "instruments/ScpiSupply.h"

#include "instruments/InstrumentModels.h"

bool ScpiSupply::Open() {
    const ViStatus status = supply_init(model_, kSupplyResource, 1, 1, SessionSlot());
    Check(status);
    if (status != VI_SUCCESS)
        return false;
    ViChar identity[SUPPLY_MESSAGE_SIZE] = {};
    if (supply_identity(Session(), identity) >= VI_SUCCESS)
        SetIdentity(QString::fromLatin1(identity));
    return true;
}

void ScpiSupply::CloseSession() {
    supply_close(Session());
}

std::optional<double> ScpiSupply::MeasureCurrent() {
    ViReal64 amps = 0.0;
    const ViStatus status = supply_measureCurrent(Session(), kTargetOutput, &amps);
    Check(status);
    if (status < VI_SUCCESS)
        return std::nullopt;
    return amps;
}

void ScpiSupply::ReadError(ViSession session, ViStatus status) {
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    if (status == SUPPLY_INSTR_ERROR_DETECTED) {
        ViInt32 code = 0;
        supply_error_query(session, &code, message);
    } else {
        supply_error_message(session, status, message);
    }
}
