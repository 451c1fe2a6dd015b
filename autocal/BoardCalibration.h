#pragma once

#include "autocal/CalibrationContext.h"
#include "autocal/StepResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

class Supply;
class TargetReply;

// The board calibration of a fresh target: erase its EEPROM and restart it, calibrate the
// battery measurement at 4.18 V from the supply, save the logic data, set the clock and three
// display settings. The step routine (RunBoardCal) is the engine's.

inline constexpr const char* kBatteryFailText = "******  BATCAL FAIL  ******";
inline constexpr const char* kBoardSuccessText = "!!!  SUCCESS  !!!";
inline constexpr std::int32_t kBatteryLow = 613; // ADC counts at 4.18 V
inline constexpr std::int32_t kBatteryHigh = 628;

enum class BoardState : std::int32_t {
    Erase = 1,                  // "se 6"
    Sent = kStepSent,           // a command went out: its reply steps on
    SentTimed = kStepSentTimed, // "se 300" went out: the target restarts, a fixed wait steps on
    Start = kStepStart,         // 4.18 V from the supply
    TestModeInit = 6,           // "ti"
    TestMode = 7,               // "tms 1"
    BatteryMode = 35,           // "se 54"; the step routine shows its status line on the way
    ReadBattery = 36,           // "spr 54"
    CheckBattery = 37,          // the reading steady: "spw 54 " + reading; else read again
    SaveLogic = 40,             // "se 11"
    Restart = 43,               // "se 300"
    SetClock = 44,              // the step routine encodes the clock line
    MainLcd = 45,               // "spw 51 22"
    SubLcdVolume = 46,          // "spw 52 26"
    SubLcdV0 = 47,              // "spw 53 2"
};
using BoardStepResult = StepResult<BoardState>;

// The work of the current state: StepAct::Send, StepAct::SendTimed ("se 300", the target
// restarts), StepAct::Finished, StepAct::Failed, or the state to step on with.
// supplyConfigured: whether the supply is there to set the battery voltage.
BoardStepResult BoardStep(CalibrationContext& cal, Supply& supply, bool supplyConfigured);
// What the calibration takes from the reply to its commands: the battery reading of "spr 54";
// and the status line a reply shows while it runs, or nullptr.
const char* TakeBoardReply(CalibrationContext& cal, const TargetReply& reply);
// The newest reading settled: not above the one before, which is not above the one before it,
// and within the window.
bool BatterySteady(const CalibrationContext& cal);
// The target clock line for a local time: weekday from Sunday, year - 2000, month, day, hour,
// minute, second, in lower-case hexadecimal.
QByteArray ClockLine(const QDateTime& now);
// The time as the "BATTERY" group shows it: "%H:%M:%S, %A, %B %d, %Y".
QString ClockText(const QDateTime& now);
