// The GMAGIC calibration's test set operations: a CW tone near the band's middle channel.
#include "TestSet.h"
#include "TestSetSteps.h"
#include "age1960.h"
#include "wt4400.h"

namespace {

constexpr const char* k4400Resource = "GPIB0::4";
constexpr int kGsmCwChannel = 62;
constexpr int kDcsCwChannel = 698;

// The tone sits a quarter of the GSM symbol rate (about 67.7 kHz) above or below the channel.
double CwFrequencyHz() {
    const CalibrationContext& cal = CalContext();
    const bool lower = cal.cwOffsetSelector != 0;
    if (cal.band == kBandEgsm)
        return lower ? 947333000.0 : 947467000.0;
    return lower ? 1842333000.0 : 1842467000.0;
}

void Setup8960Cw() {
    const ViSession session = TestSetSessionField();
    Step(age1960_operatingMode(session, AGE1960_MODE_TEST)) &&
        Step(age1960_cmd(session, "CALL:FUNCTION:DOWNLINK CW")) &&
        Step(age1960_cellBand(session, 1, CalContext().band));
}

// The Willtek starts afresh for the CW tone; its driver reuses the slot of the address.
void Setup4400Cw() {
    ViSession& session = TestSetSessionField();
    Step(wt4400_init(k4400Resource, 1, 1, &session)) && Step(wt4400_selectCallSystem(session, 1));
}

void Configure8960Cw() {
    const CalibrationContext& cal = CalContext();
    const ViSession session = cal.testSetSession;
    const bool gsm = cal.band == kBandEgsm;
    if (Step(age1960_cmd(session, gsm ? "CALL:CELL:RFGenerator:BAND EGSM"
                                      : "CALL:CELL:RFGenerator:BAND DCS")) &&
        Step(age1960_cmd(session, gsm ? "CALL:CELL:RFGENERATOR:CHANNEL:EGSM 62"
                                      : "CALL:CELL:RFGENERATOR:CHANNEL:DCS 698"))) {
        age1960_amplitudeOffset(session, cal.cableLossDb);
        Step(age1960_cellPower(session, 1, kCwLevelDbm, 0, 0));
    }
}

void Configure4400Cw() {
    const bool gsm = CalContext().band == kBandEgsm;
    const double downlinkMHz =
        gsm ? UplinkFrequencyMHz(kGsmCwChannel) + 45.0 : UplinkFrequencyMHz(kDcsCwChannel) + 95.0;
    UseWillCoupling() &&
        Step(wt4400_configureRfGenerator(TestSetSessionField(), downlinkMHz, kCellLevelDbm, 2, 1, 4,
                                         2, 2, 4)) &&
        Step(WriteWillLine("RFG:LEV ", kCwLevelDbm, 6));
}

} // namespace

void SetupCwDownlink() {
    if (!TestSetOpen())
        return;
    if (Is8960())
        Setup8960Cw();
    else if (Is4400())
        Setup4400Cw();
}

void ConfigureCwGenerator() {
    if (!TestSetOpen())
        return;
    if (Is8960())
        Configure8960Cw();
    else if (Is4400())
        Configure4400Cw();
}

void SetCwFrequency() {
    if (Is8960())
        Step(age1960_cmdReal(TestSetSessionField(), "CALL:CELL:RFGENERATOR:FREQUENCY",
                             CwFrequencyHz()));
    else if (Is4400())
        Step(WriteWillLine("RFG:FREQ ", CwFrequencyHz(), 0));
}
