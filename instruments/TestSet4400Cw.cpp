// The Willtek's part of the GMAGIC calibration: a CW tone near the band's middle channel.
#include "drivers/wt4400/wt4400.h"
#include "instruments/TestSet4400.h"
#include "instruments/TestSetLevels.h"

namespace {

constexpr int kGsmCwChannel = 62;
constexpr int kDcsCwChannel = 698;

} // namespace

// The Willtek starts afresh for the CW tone; its driver reuses the slot of the address.
void TestSet4400::SetupCw() {
    Step(wt4400_init(kResource, 1, 1, SessionSlot())) &&
        Step(wt4400_selectCallSystem(Session(), 1));
}

void TestSet4400::ConfigureCw() {
    const bool gsm = Context().band == kBandEgsm;
    const double downlinkMHz =
        gsm ? UplinkFrequencyMHz(kGsmCwChannel) + 45.0 : UplinkFrequencyMHz(kDcsCwChannel) + 95.0;
    UseCouplingTable() &&
        Step(
            wt4400_configureRfGenerator(Session(), downlinkMHz, kCellLevelDbm, 2, 1, 4, 2, 2, 4)) &&
        Step(WriteLine("RFG:LEV ", kCwLevelDbm, 6));
}

void TestSet4400::SendCwFrequency(double hz) {
    Step(WriteLine("RFG:FREQ ", hz, 0));
}
