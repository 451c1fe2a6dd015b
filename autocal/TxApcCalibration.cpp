// The TX APC state machine, over the band it calibrates.
#include "autocal/TxApcCalibration.h"

#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"
#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"

// What distinguishes the GSM and the DCS part where they otherwise do the same.
struct TxBand {
    const char* name;                          // as the failure text names the band
    std::int32_t CalibrationContext::*subBand; // the part's sub-band, 1 to 3
    bool CalibrationContext::*topAdjusted;     // its top reference level needed a search
    std::int32_t topLevel;                     // 5 or 100
    std::int32_t fillFrom;                     // the levels above the top reference: 0 or 129
    std::int32_t fillEnd;                      // the level that ends the fill: 5 or 132
    TxState fillLevelState;                    // 20 or 22
    TxState fillDacState;                      // 21 or 23
    // The GSM part comes first: it sets the TX measurement up and the target into test mode. The
    // DCS part tells the target its BCH instead, and ends by saving the values of both.
    bool first;
    int transmitterOnMs;  // before "rfe 7"
    int firstLevelMs;     // after "rfe 7", before a reference level
    int transmitterOffMs; // before "rfe 0"
    int (*measureWaitMs)(std::int32_t level);
    void (*levelSetup)(CalibrationContext&);
    void (*store)(CalibrationContext&, std::int32_t dac); // into the band's APC table
};

namespace {

using State = TxState;

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

int GsmMeasureWaitMs(std::int32_t) {
    return 300;
}

// The top level settles longest; the lowest levels need the test set's longer averaging.
int DcsMeasureWaitMs(std::int32_t level) {
    return level == kDcsTopLevel ? 2000 : (level <= 113 ? 200 : 3500);
}

// Sends the band's DAC command from state; an unknown sub-band fails the part.
TxStepResult SendDac(CalibrationContext& cal, const TxBand& band, State from) {
    const std::optional<QByteArray> line = DacLine(cal.band, cal.*band.subBand, cal.apcDac);
    if (!line) {
        cal.instrumentFault = 1;
        return StepAct::Failed;
    }
    return SendLine(cal, from, *line);
}

TxStepResult SendLevel(CalibrationContext& cal, State from) {
    return SendLine(cal, from, LineWith("txpw 1 ", cal.powerLevel));
}

// The level the search left: on with a new DAC, on to the next level, to the fill of the levels
// above the top one, to the next sub-band, or to the end.
TxStepResult AfterSearch(CalibrationContext& cal, const TxBand& band) {
    if (cal.searchDirection == 5 || cal.searchDirection == 6)
        return SendDac(cal, band, State::Search);
    if (cal.instrumentFault)
        return StepAct::Failed;
    band.store(cal, cal.apcDac);
    ++cal.powerLevel;
    if (cal.*band.topAdjusted) {
        cal.*band.topAdjusted = false;
        cal.savedLevel = cal.powerLevel;
        cal.powerLevel = band.fillFrom;
        return band.fillLevelState;
    }
    if (cal.powerLevel > cal.highestLevel) {
        std::int32_t& subBand = cal.*band.subBand;
        subBand = subBand == 3 ? 0 : subBand + 1;
        cal.powerLevel = band.topLevel;
        return subBand != 0 ? State::TuneChannel : State::TransmitterOff;
    }
    return State::EnterLevel;
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
void Measure(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    if (!IsReferenceLevel(cal.powerLevel))
        return;
    DelayMs(band.measureWaitMs(cal.powerLevel));
    const std::int32_t subBand = cal.*band.subBand;
    if (!TakeTxPower(cal, testSet) && testSet.MayMeasureAgain())
        TakeTxPower(cal, testSet);
    cal.*band.subBand = subBand;
}

// Tunes the test set to the sub-band's traffic channel and level; the target follows with
// "rfpw 2".
TxStepResult TuneChannel(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    band.levelSetup(cal);
    if (IsReferenceLevel(cal.powerLevel)) {
        testSet.SetAmplitudeOffset();
        testSet.SetTxLevelAndChannel();
        DelayMs(500);
    }
    return SendLine(cal, State::TuneChannel, LineWith("rfpw 2 ", cal.tchChannel));
}

TxStepResult EnterLevel(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    band.levelSetup(cal);
    if (IsReferenceLevel(cal.powerLevel))
        testSet.SetMsPowerLevel();
    return SendLevel(cal, State::EnterLevel);
}

// Sub-band 1 switches the transmitter on; the others find it on.
TxStepResult TransmitterOn(CalibrationContext& cal, const TxBand& band) {
    if (cal.*band.subBand != 1)
        return State::EnterLevel;
    DelayMs(band.transmitterOnMs);
    return SendLine(cal, State::TransmitterOn, "rfe 7", StepAct::SendAside);
}

TxStepResult Start(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    cal.iterationCount = 0;
    cal.powerLevel = band.topLevel;
    cal.searchDirection = 0;
    cal.gsmSubBand = 0;
    cal.dcsSubBand = 0;
    cal.*band.subBand = 1;
    cal.instrumentErrorCount = 0;
    band.levelSetup(cal);
    if (band.first)
        testSet.SetupTxMeasurement();
    testSet.ConfigureTxCalibration();
    if (!band.first)
        return State::Broadcast;
    return SendLine(cal, State::Start, "ti");
}

// The end of the DCS part: the values saved in the target, and the test set reset. The part
// still ends on the reply to "se 1".
TxStepResult Save(CalibrationContext& cal, TestSet& testSet) {
    const StepAct how = SendLine(cal, State::Save, "se 1");
    testSet.ClearAndResetTestSet();
    return how;
}

// After the fill DAC of a level above the top: the next such level, or back to the walk.
TxStepResult NextFillLevel(CalibrationContext& cal, const TxBand& band) {
    ++cal.powerLevel;
    if (cal.powerLevel != band.fillEnd)
        return band.fillLevelState;
    cal.powerLevel = cal.savedLevel;
    return State::EnterLevel;
}

// After a reply: the next state by the last step.
TxStepResult Advance(CalibrationContext& cal, const TxBand& band) {
    switch (StateOf<State>(cal.lastStep)) {
    case State::Start:
        return State::TestMode;
    case State::TestMode:
    case State::Broadcast:
        return State::TuneChannel;
    case State::TuneChannel:
        return State::TransmitterOn;
    case State::TransmitterOn:
        if (IsReferenceLevel(cal.powerLevel))
            DelayMs(band.firstLevelMs);
        return State::EnterLevel;
    case State::TransmitterOff:
        DelayMs(500);
        if (band.first)
            return StepAct::Finished;
        return State::Save;
    case State::EnterLevel:
        return State::WriteDac;
    case State::GsmFillLevel:
    case State::DcsFillLevel:
        return band.fillDacState;
    case State::GsmFillDac:
    case State::DcsFillDac:
        return NextFillLevel(cal, band);
    case State::WriteDac:
    case State::Search:
        return State::Measure;
    case State::Save:
        return StepAct::Finished;
    default:
        return ActOfWaiting(cal.stepState);
    }
}

TxStepResult Work(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    const State state = StateOf<State>(cal.stepState);
    switch (state) {
    case State::Sent:
    case State::SentAside:
        return Advance(cal, band);
    case State::Start:
        return Start(cal, testSet, band);
    case State::TestMode:
        return SendLine(cal, state, "tms 1");
    case State::TransmitterOn:
        return TransmitterOn(cal, band);
    case State::TransmitterOff:
        DelayMs(band.transmitterOffMs);
        return SendLine(cal, state, "rfe 0");
    case State::EnterLevel:
        return EnterLevel(cal, testSet, band);
    case State::Measure:
        Measure(cal, testSet, band);
        return State::Search;
    case State::GsmFillLevel:
    case State::DcsFillLevel:
        return SendLevel(cal, state);
    case State::GsmFillDac:
    case State::DcsFillDac:
        band.store(cal, cal.apcDac);
        return SendDac(cal, band, state);
    case State::WriteDac:
        return SendDac(cal, band, state);
    case State::Search:
        ApcSearchStep(cal);
        return AfterSearch(cal, band);
    case State::Broadcast:
        return SendLine(cal, state, LineWith("rfpw 1 ", cal.bchChannel));
    case State::TuneChannel:
        return TuneChannel(cal, testSet, band);
    case State::Save:
        return Save(cal, testSet);
    }
    return StepAct::Failed;
}

} // namespace

const TxBand kGsmTx{
    .name = "GSM",
    .subBand = &CalibrationContext::gsmSubBand,
    .topAdjusted = &CalibrationContext::pcl5Adjusted,
    .topLevel = kGsmTopLevel,
    .fillFrom = 0,
    .fillEnd = kGsmTopLevel,
    .fillLevelState = TxState::GsmFillLevel,
    .fillDacState = TxState::GsmFillDac,
    .first = true,
    .transmitterOnMs = 100,
    .firstLevelMs = 2000,
    .transmitterOffMs = 0,
    .measureWaitMs = GsmMeasureWaitMs,
    .levelSetup = GsmLevelSetup,
    .store = StoreGsm,
};

const TxBand kDcsTx{
    .name = "DCS",
    .subBand = &CalibrationContext::dcsSubBand,
    .topAdjusted = &CalibrationContext::pcl0Adjusted,
    .topLevel = kDcsTopLevel,
    .fillFrom = 129,
    .fillEnd = 132,
    .fillLevelState = TxState::DcsFillLevel,
    .fillDacState = TxState::DcsFillDac,
    .first = false,
    .transmitterOnMs = 0,
    .firstLevelMs = 1000,
    .transmitterOffMs = 500,
    .measureWaitMs = DcsMeasureWaitMs,
    .levelSetup = DcsLevelSetup,
    .store = StoreDcs,
};

TxStepResult TxStep(CalibrationContext& cal, TestSet& testSet, const TxBand& band) {
    if (IsAtRest(cal.stepState))
        cal.stepState = kStepStart;
    const TxStepResult result = Work(cal, testSet, band);
    cal.stepState = StateAfter(result);
    return result;
}

void TakeTxReply(CalibrationContext& cal, const TargetReply& reply) {
    const int index = reply.Index();
    const bool readsDac = (reply.Opcode() == kOpTxpr && index == 4) ||
                          (reply.Opcode() == kOpSpr && (index == 21 || index == 22 || index == 23 ||
                                                        index == 31 || index == 32));
    if (readsDac)
        cal.apcDac = reply.Word();
}

QString TxFailText(const CalibrationContext& cal, const TxBand& band) {
    return QString::asprintf("%s %dBand %dLEVEL FAIL", band.name, cal.*band.subBand,
                             cal.powerLevel);
}
