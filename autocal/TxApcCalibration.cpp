// The GSM and DCS state machines of the TX APC calibration.
#include "autocal/TxApcCalibration.h"

#include "autocal/StepCommands.h"
#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"

namespace {

// What distinguishes the two machines where they otherwise do the same.
struct TxBand {
    std::int32_t& subBand;
    bool& topAdjusted;           // the band's top reference level needed a search
    std::int32_t topLevel;       // 5 or 100
    std::int32_t fillFrom;       // the levels above the top reference: 0 or 129
    std::int32_t fillEnd;        // the level that ends the fill: 5 or 132
    std::int32_t fillLevelState; // 20 or 22
    std::int32_t fillDacState;   // 21 or 23
    void (*levelSetup)(CalibrationContext&);
    void (*store)(CalibrationContext&, std::int32_t dac);
};

bool ValidSub(std::int32_t subBand) {
    return subBand >= 1 && subBand <= 3;
}

// A table cell for the sub-band and level; none outside the table.
template <typename Table>
std::int32_t* Cell(Table& table, std::int32_t subBand, std::int32_t level) {
    if (!ValidSub(subBand) || level < 0 || level >= static_cast<std::int32_t>(table[0].size()))
        return nullptr;
    return &table[static_cast<std::size_t>(subBand)][static_cast<std::size_t>(level)];
}

void StoreGsm(CalibrationContext& cal, std::int32_t dac) {
    if (std::int32_t* cell = Cell(cal.gsmApc, cal.gsmSubBand, cal.powerLevel))
        *cell = dac;
}

void StoreDcs(CalibrationContext& cal, std::int32_t dac) {
    if (std::int32_t* cell = Cell(cal.dcsApc, cal.dcsSubBand, cal.powerLevel))
        *cell = dac;
}

TxBand Gsm(CalibrationContext& cal) {
    return {cal.gsmSubBand, cal.pcl5Adjusted, kGsmTopLevel, 0, kGsmTopLevel, 20, 21,
            GsmLevelSetup,  StoreGsm};
}

TxBand Dcs(CalibrationContext& cal) {
    return {cal.dcsSubBand, cal.pcl0Adjusted, kDcsTopLevel, 129, 132, 22, 23,
            DcsLevelSetup,  StoreDcs};
}

// Sends the band's DAC command from state; an unknown sub-band fails the part.
std::int32_t SendDac(CalibrationContext& cal, const TxBand& band, std::int32_t state) {
    const std::optional<QByteArray> line = DacLine(cal.band, band.subBand, cal.apcDac);
    if (!line) {
        cal.instrumentFault = 1;
        return kStepFailed;
    }
    return EncodeStepLine(cal, state, *line);
}

std::int32_t SendLevel(CalibrationContext& cal, std::int32_t state) {
    return EncodeStepLine(cal, state, LineWith("txpw 1 ", cal.powerLevel));
}

// The level the search left: on with a new DAC, on to the next level, to the fill of the levels
// above the top one, to the next sub-band, or to the end.
std::int32_t AfterSearch(CalibrationContext& cal, const TxBand& band) {
    if (cal.searchDirection == 5 || cal.searchDirection == 6)
        return SendDac(cal, band, 26);
    if (cal.instrumentFault)
        return kStepFailed;
    band.store(cal, cal.apcDac);
    ++cal.powerLevel;
    if (band.topAdjusted) {
        band.topAdjusted = false;
        cal.savedLevel = cal.powerLevel;
        cal.powerLevel = band.fillFrom;
        return band.fillLevelState;
    }
    if (cal.powerLevel > cal.highestLevel) {
        band.subBand = band.subBand == 3 ? 0 : band.subBand + 1;
        cal.powerLevel = band.topLevel;
        return band.subBand != 0 ? 28 : 13;
    }
    return 17;
}

// One TX power measurement, kept for the search and, failed or not, for the run's records; false
// when it failed.
bool TakeTxPower(CalibrationContext& cal, TestSet& testSet) {
    const std::optional<TxPowerReading> reading = testSet.MeasureTxPower();
    cal.measuredTxPowerDbm =
        reading ? std::optional<double>(reading->dbm) : std::optional<double>();
    cal.measurementIntegrity = reading ? reading->integrity : 0;
    const std::int32_t subBand = cal.band == kBandDcs ? cal.dcsSubBand : cal.gsmSubBand;
    cal.txPowerSamples.push_back(
        {cal.band, subBand, cal.powerLevel, cal.apcDac, cal.measuredTxPowerDbm});
    return reading.has_value();
}

// A failure the test set tolerated is no reason to fail the level: the power is taken once more.
// A second failure stops the run and leaves no power for the search, which fails the level; the
// preset of the stop forgets the sub-band, which the failure must still name.
void Measure(CalibrationContext& cal, TestSet& testSet, const TxBand& band, int waitMs) {
    if (!IsReferenceLevel(cal.powerLevel))
        return;
    DelayMs(waitMs);
    const std::int32_t subBand = band.subBand;
    if (!TakeTxPower(cal, testSet) && testSet.MayMeasureAgain())
        TakeTxPower(cal, testSet);
    band.subBand = subBand;
}

// Tunes the test set to the sub-band's traffic channel and level; the target follows with
// "rfpw 2".
std::int32_t TuneChannel(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    band.levelSetup(cal);
    if (IsReferenceLevel(cal.powerLevel)) {
        testSet.SetAmplitudeOffset();
        testSet.SetTxLevelAndChannel();
        DelayMs(500);
    }
    return EncodeStepLine(cal, 28, LineWith("rfpw 2 ", cal.tchChannel));
}

std::int32_t EnterLevel(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    band.levelSetup(cal);
    if (IsReferenceLevel(cal.powerLevel))
        testSet.SetMsPowerLevel();
    return SendLevel(cal, 17);
}

// Sub-band 1 switches the transmitter on; the others find it on.
std::int32_t TransmitterOn(CalibrationContext& cal, const TxBand& band) {
    return band.subBand == 1 ? EncodeStepLine(cal, 12, "rfe 7", kStepSendAside) : 17;
}

void ResetSearch(CalibrationContext& cal, std::int32_t level, std::int32_t gsmSub,
                 std::int32_t dcsSub) {
    cal.iterationCount = 0;
    cal.powerLevel = level;
    cal.searchDirection = 0;
    cal.gsmSubBand = gsmSub;
    cal.dcsSubBand = dcsSub;
    cal.instrumentErrorCount = 0;
}

// After the fill DAC of a level above the top: the next such level, or back to the walk.
void NextFillLevel(CalibrationContext& cal, const TxBand& band) {
    ++cal.powerLevel;
    if (cal.powerLevel == band.fillEnd) {
        cal.powerLevel = cal.savedLevel;
        cal.stepState = 17;
    } else {
        cal.stepState = band.fillLevelState;
    }
}

bool Advancing(const CalibrationContext& cal) {
    return cal.stepState == kStepSend || cal.stepState == kStepSendAside;
}

} // namespace

std::int32_t GsmTxStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        cal.stepState = kStepStart;
    const TxBand band = Gsm(cal);
    switch (cal.stepState) {
    case kStepSend:
    case kStepSendAside:
        GsmTxAdvance(cal);
        return cal.stepState;
    case 5:
        ResetSearch(cal, kGsmTopLevel, 1, 0);
        GsmLevelSetup(cal);
        testSet.SetupTxMeasurement();
        testSet.ConfigureTxCalibration();
        return cal.stepState = EncodeStepLine(cal, 5, "ti");
    case 6:
        return cal.stepState = EncodeStepLine(cal, 6, "tms 1");
    case 12:
        if (cal.gsmSubBand == 1)
            DelayMs(100);
        return cal.stepState = TransmitterOn(cal, band);
    case 13:
        return cal.stepState = EncodeStepLine(cal, 13, "rfe 0");
    case 17:
        return cal.stepState = EnterLevel(cal, testSet, band);
    case 19:
        Measure(cal, testSet, band, 300);
        return cal.stepState = 26;
    case 20:
        return cal.stepState = SendLevel(cal, 20);
    case 21:
        StoreGsm(cal, cal.apcDac);
        return cal.stepState = SendDac(cal, band, 21);
    case 25:
        return cal.stepState = SendDac(cal, band, 25);
    case 26:
        ApcSearchStep(cal);
        return cal.stepState = AfterSearch(cal, band);
    case 28:
        return cal.stepState = TuneChannel(cal, testSet, band);
    default:
        return cal.stepState = kStepFailed;
    }
}

void GsmTxAdvance(CalibrationContext& cal) {
    if (!Advancing(cal))
        return;
    switch (cal.lastStep) {
    case 5:
        cal.stepState = 6;
        break;
    case 6:
        cal.stepState = 28;
        break;
    case 12:
        if (IsReferenceLevel(cal.powerLevel))
            DelayMs(2000);
        cal.stepState = 17;
        break;
    case 13:
        DelayMs(500);
        cal.stepState = kStepFinished;
        break;
    case 17:
        cal.stepState = 25;
        break;
    case 20:
        cal.stepState = 21;
        break;
    case 21:
        NextFillLevel(cal, Gsm(cal));
        break;
    case 25:
    case 26:
        cal.stepState = 19;
        break;
    case 28:
        cal.stepState = 12;
        break;
    default:
        break;
    }
}

std::int32_t DcsTxStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        cal.stepState = kStepStart;
    const TxBand band = Dcs(cal);
    switch (cal.stepState) {
    case kStepSend:
    case kStepSendAside:
        DcsTxAdvance(cal);
        return cal.stepState;
    case 5:
        ResetSearch(cal, kDcsTopLevel, 0, 1);
        DcsLevelSetup(cal);
        testSet.ConfigureTxCalibration();
        return cal.stepState = 27;
    case 12:
        return cal.stepState = TransmitterOn(cal, band);
    case 13:
        DelayMs(500);
        return cal.stepState = EncodeStepLine(cal, 13, "rfe 0");
    case 17:
        return cal.stepState = EnterLevel(cal, testSet, band);
    case 19:
        Measure(cal, testSet, band,
                cal.powerLevel == kDcsTopLevel ? 2000 : (cal.powerLevel <= 113 ? 200 : 3500));
        return cal.stepState = 26;
    case 22:
        return cal.stepState = SendLevel(cal, 22);
    case 23:
        StoreDcs(cal, cal.apcDac);
        return cal.stepState = SendDac(cal, band, 23);
    case 25:
        return cal.stepState = SendDac(cal, band, 25);
    case 26:
        ApcSearchStep(cal);
        return cal.stepState = AfterSearch(cal, band);
    case 27:
        return cal.stepState = EncodeStepLine(cal, 27, LineWith("rfpw 1 ", cal.bchChannel));
    case 28:
        return cal.stepState = TuneChannel(cal, testSet, band);
    case 40: {
        const std::int32_t how = EncodeStepLine(cal, 40, "se 1");
        // The test set's reset puts the run back to idle; the part still ends on the reply to
        // "se 1", which is what saves the DCS values in the target.
        testSet.ClearAndResetTestSet();
        return cal.stepState = how;
    }
    default:
        return cal.stepState = kStepFailed;
    }
}

void DcsTxAdvance(CalibrationContext& cal) {
    if (!Advancing(cal))
        return;
    switch (cal.lastStep) {
    case 12:
        if (IsReferenceLevel(cal.powerLevel))
            DelayMs(1000);
        cal.stepState = 17;
        break;
    case 13:
        DelayMs(500);
        cal.stepState = 40;
        break;
    case 17:
        cal.stepState = 25;
        break;
    case 22:
        cal.stepState = 23;
        break;
    case 23:
        NextFillLevel(cal, Dcs(cal));
        break;
    case 25:
    case 26:
        cal.stepState = 19;
        break;
    case 27:
        cal.stepState = 28;
        break;
    case 28:
        cal.stepState = 12;
        break;
    case 40:
        cal.stepState = kStepFinished;
        break;
    default:
        break;
    }
}
