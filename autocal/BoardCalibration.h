#pragma once

#include "autocal/CalibrationContext.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

class Supply;

// The board calibration of a fresh target: erase its EEPROM and restart it, calibrate the
// battery measurement at 4.18 V from the supply, save the logic data, set the clock and three
// display settings. The step routine (RunBoardCal) is the engine's.

inline constexpr const char* kBatteryFailText = "******  BATCAL FAIL  ******";
inline constexpr const char* kBoardSuccessText = "!!!  SUCCESS  !!!";
inline constexpr std::int32_t kBatteryLow = 613; // ADC counts at 4.18 V
inline constexpr std::int32_t kBatteryHigh = 628;
inline constexpr std::int32_t kBoardStatusState = 35; // the step routine shows its status line
inline constexpr std::int32_t kBoardClockState = 44;  // the step routine encodes the clock line

// The work of the current state and the new one: kStepSend, kStepSendTimed ("se 300", the
// target restarts), kBoardStatusState, kStepFinished, kStepFailed, or a state to step on with.
// supplyConfigured: whether the supply is there to set the battery voltage.
std::int32_t BoardStep(CalibrationContext& cal, Supply& supply, bool supplyConfigured);
void BoardAdvance(CalibrationContext& cal);
// The newest reading settled: not above the one before, which is not above the one before it,
// and within the window.
bool BatterySteady(const CalibrationContext& cal);
// The target clock line for a local time: weekday from Sunday, year - 2000, month, day, hour,
// minute, second, in lower-case hexadecimal.
QByteArray ClockLine(const QDateTime& now);
// The time as the "BATTERY" group shows it: "%H:%M:%S, %A, %B %d, %Y".
QString ClockText(const QDateTime& now);
