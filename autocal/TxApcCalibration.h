#pragma once

#include "autocal/CalibrationContext.h"
#include "autocal/StepResult.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

class TargetReply;
class TestSet;

// The TX APC calibration: per sub-band of GSM 900 and DCS 1800, the power levels are walked
// from the highest power down; at five reference levels the test set measures the power and a
// binary search moves the APC DAC until the power is within tolerance, between them the DAC
// follows by fixed steps. The GSM and the DCS part run the same machine over their band; the
// step routines (RunGsmTxCal, RunDcsTxCal) are the engine's.

inline constexpr std::int32_t kGsmTopLevel = 5;   // the GSM walk starts here (PCL 5)
inline constexpr std::int32_t kDcsTopLevel = 100; // DCS levels are 100 + PCL
inline constexpr int kMaxSearchSteps = 30;

enum class TxState : std::int32_t {
    Sent = kStepSent,           // a command went out: its reply steps on
    SentAside = kStepSentAside, // "rfe 7" went out with the part's status line
    Start = kStepStart,         // the test set set up; the GSM part sends "ti"
    TestMode = 6,               // "tms 1" (GSM)
    TransmitterOn = 12,         // "rfe 7" at the first sub-band
    TransmitterOff = 13,        // "rfe 0"
    EnterLevel = 17,            // the level's values, "txpw 1 " + level
    Measure = 19,               // the test set measures a reference level
    GsmFillLevel = 20,          // "txpw 1 " + a GSM level above the top reference (0 to 4)
    GsmFillDac = 21,            // the top reference's DAC for it
    DcsFillLevel = 22,          // the same for the DCS levels 129 to 131
    DcsFillDac = 23,
    WriteDac = 25,    // the level's DAC
    Search = 26,      // one search step on the measured power
    Broadcast = 27,   // "rfpw 1 " + BCH (DCS)
    TuneChannel = 28, // the sub-band's traffic channel, "rfpw 2 " + TCH
    Save = 40,        // "se 1" (DCS)
};
using TxStepResult = StepResult<TxState>;

// The two bands the machine walks: the GSM 900 part, then the DCS 1800 part.
struct TxBand;
extern const TxBand kGsmTx;
extern const TxBand kDcsTx;

bool IsReferenceLevel(std::int32_t level);
// The level's target power, tolerance and DAC (from the previous level's), and at the band's
// first level the sub-band's channels and loss; an unknown sub-band raises the fault flag.
void GsmLevelSetup(CalibrationContext& cal);
void DcsLevelSetup(CalibrationContext& cal);
// The line that writes the current DAC for the band and sub-band; none for an unknown sub-band.
std::optional<QByteArray> DacLine(std::int16_t band, std::int32_t subBand, std::int32_t dac);
// One step of the binary search on the current level, from the last measurement.
void ApcSearchStep(CalibrationContext& cal);

// The work of the current state of the band's part: StepAct::Send, StepAct::SendAside for
// "rfe 7" with its status line, StepAct::Finished, StepAct::Failed, or the state to step on with.
TxStepResult TxStep(CalibrationContext& cal, TestSet& testSet, const TxBand& band);
// What the calibration takes from the reply to its commands: the DAC the target reads back.
void TakeTxReply(CalibrationContext& cal, const TargetReply& reply);
// "GSM %dBand %dLEVEL FAIL" or "DCS %dBand %dLEVEL FAIL".
QString TxFailText(const CalibrationContext& cal, const TxBand& band);
