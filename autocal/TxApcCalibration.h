#pragma once

#include "autocal/CalibrationContext.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

class TestSet;

// The TX APC calibration: per sub-band of GSM 900 and DCS 1800, the power levels are walked
// from the highest power down; at five reference levels the test set measures the power and a
// binary search moves the APC DAC until the power is within tolerance, between them the DAC
// follows by fixed steps. The step routines (RunGsmTxCal, RunDcsTxCal) are the engine's.

inline constexpr std::int32_t kGsmTopLevel = 5;   // the GSM walk starts here (PCL 5)
inline constexpr std::int32_t kDcsTopLevel = 100; // DCS levels are 100 + PCL
inline constexpr int kMaxSearchSteps = 30;

bool IsReferenceLevel(std::int32_t level);
// The level's target power, tolerance and DAC (from the previous level's), and at the band's
// first level the sub-band's channels and loss; an unknown sub-band raises the fault flag.
void GsmLevelSetup(CalibrationContext& cal);
void DcsLevelSetup(CalibrationContext& cal);
// The line that writes the current DAC for the band and sub-band; none for an unknown sub-band.
std::optional<QByteArray> DacLine(std::int16_t band, std::int32_t subBand, std::int32_t dac);
// One step of the binary search on the current level, from the last measurement.
void ApcSearchStep(CalibrationContext& cal);

// The two state machines: the work of the current state, and the new state (kStepSend,
// kStepSendAside for "rfe 7" with its status line, kStepFinished, kStepFailed, or a state to
// step on with).
std::int32_t GsmTxStep(CalibrationContext& cal, TestSet& testSet);
std::int32_t DcsTxStep(CalibrationContext& cal, TestSet& testSet);
void GsmTxAdvance(CalibrationContext& cal);
void DcsTxAdvance(CalibrationContext& cal);

QString GsmTxFailText(const CalibrationContext& cal); // "GSM %dBand %dLEVEL FAIL"
QString DcsTxFailText(const CalibrationContext& cal); // "DCS %dBand %dLEVEL FAIL"
