#include "SupplyControl.h"

#include "CalibrationContext.h"
#include "DelayMs.h"
#include "supplies.h"

#include <optional>

namespace {

constexpr const char* kSupplyResource = "GPIB::5::INSTR";
constexpr ViInt16 kTargetOutput = 1; // the E3631A's +6 V output; the others have one
constexpr int kSettleBeforeOutputMs = 1000;

std::optional<SupplyModel> SelectedModel() {
    switch (CalContext().supplyType) {
    case kSupply66311B:
        return SupplyModel::k66311B;
    case kSupply3631A:
        return SupplyModel::kE3631A;
    case kSupply3632A:
        return SupplyModel::kE3632A;
    default:
        return std::nullopt;
    }
}

ViSession& SupplySession() {
    static_assert(sizeof(ViSession) == sizeof(CalContext().supplySession));
    return CalContext().supplySession;
}

void Check(ViStatus status) {
    CheckSupplyStatus(SupplySession(), status);
}

// The E363x supplies take voltage and limit one by one and need a moment before the output goes
// on; the 66311B takes all three in one call.
void ProgramOutput(SupplyModel model, double volts, double amps) {
    const ViSession session = SupplySession();
    if (model == SupplyModel::k66311B) {
        Check(supply_outputVoltCurr(session, volts, amps));
        return;
    }
    Check(supply_setVoltage(session, kTargetOutput, volts));
    Check(supply_setCurrent(session, kTargetOutput, amps));
    DelayMs(kSettleBeforeOutputMs);
    supply_outputOn(session, 1);
}

} // namespace

bool InitSupply() {
    if (SupplySession() != 0 && CalContext().supplyType != kSupplyNone)
        CloseSupply();
    if (CalContext().supplyType == kSupplyNone)
        return true;
    const std::optional<SupplyModel> model = SelectedModel();
    if (!model)
        return false;
    const ViStatus status = supply_init(*model, kSupplyResource, 1, 1, &SupplySession());
    Check(status);
    if (status != VI_SUCCESS)
        return false;
    if (*model == SupplyModel::kE3632A)
        SetSupply3V8();
    return true;
}

void CloseSupply() {
    ViSession& session = SupplySession();
    if (session == 0)
        return;
    supply_close(session);
    session = 0;
}

int SetSupplyOutput(double volts, double amps) {
    if (const std::optional<SupplyModel> model = SelectedModel())
        ProgramOutput(*model, volts, amps);
    return 0;
}

void SetSupply3V8() {
    SetSupplyOutput(3.8, 3.0);
}

void SetSupply4V18() {
    SetSupplyOutput(4.18, 3.0);
}

double ReadSupplyCurrent() {
    if (!SelectedModel())
        return 0.0;
    ViReal64 amps = 0.0;
    const ViStatus status = supply_measureCurrent(SupplySession(), kTargetOutput, &amps);
    Check(status);
    return status >= VI_SUCCESS ? amps : 0.0;
}

void CheckSupplyStatus(ViSession session, ViStatus status) {
    if (status >= VI_SUCCESS)
        return;
    if (CalContext().supplyType != kSupply66311B)
        supply_dcl(session);
    ViChar message[SUPPLY_MESSAGE_SIZE] = {};
    if (status == SUPPLY_INSTR_ERROR_DETECTED) {
        ViInt32 code = 0;
        supply_error_query(session, &code, message);
    } else {
        supply_error_message(session, status, message);
    }
    CalContext().instrumentFault = 1;
}
