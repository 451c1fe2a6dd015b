#pragma once

#include <array>
#include <cstdint>

// The virtual target's working memory: the RF calibration and logic settings it loads from its
// EEPROM at start, and the volatile state the commands set up.

inline constexpr int kGsmPowerLevels = 20; // PCL 0..19
inline constexpr int kDcsPowerLevels = 19; // PCL 0..15 and 29..31, numbered 100..115, 129..131
inline constexpr int kGsmSubBands = 4;     // 1..55, 56..100, 101..124 and the extended 975..1023
inline constexpr int kDcsSubBands = 3;     // 512..631, 632..751, 752..885
inline constexpr int kRampTemplates = 31;  // one per power level the ramp editor offers
inline constexpr int kRampSteps = 32;      // 16 up, then 16 down
inline constexpr int kParameterSetWords = 5;
inline constexpr int kMaxDac = 1023; // a 10-bit APC DAC
inline constexpr int kRxCalChannels = 17;
inline constexpr std::array<int, kRxCalChannels> kRxCalChannelList{
    1, 20, 40, 62, 80, 100, 124, 512, 585, 660, 700, 790, 835, 885, 975, 1000, 1023};

using ParameterSet = std::array<std::uint16_t, kParameterSetWords>;
using RampTemplate = std::array<std::int8_t, kRampSteps>;
using GsmDacTable = std::array<std::array<std::uint16_t, kGsmPowerLevels>, kGsmSubBands>;
using DcsDacTable = std::array<std::array<std::uint16_t, kDcsPowerLevels>, kDcsSubBands>;

// What "se 1" commits and "se 5" erases.
struct RfCalibration {
    GsmDacTable gsmDac{};                                    // [sub-band - 1][PCL]
    DcsDacTable dcsDac{};                                    // [sub-band - 1][DcsLevelSlot]
    std::array<std::int16_t, kRxCalChannels> rxCorrection{}; // 2 units per dB
    ParameterSet gmagicGsm{};                                // rftw 31
    ParameterSet gmagicDcs{};                                // rftw 47
    std::int16_t initAfc = 0;                                // 1/8 DAC units
    std::array<RampTemplate, kRampTemplates> ramps{};

    // The firmware's values for a unit never calibrated: the nominal power tables, no RX
    // correction, a mid-range GMAGIC and a raised-cosine ramp.
    static RfCalibration Defaults();
};

// What "se 11" commits.
struct LogicSettings {
    std::uint16_t batteryCalibration = 0; // ADC counts at 4.18 V
    std::uint8_t mainLcdContrast = 22;
    std::uint8_t subLcdVolume = 26;
    std::uint8_t subLcdV0 = 2;
};

// Lost at every restart.
struct RadioControl {
    int bchChannel = 80;
    int tchChannel = 62;
    int rxChannel = 62;          // where the receiver is: the TCH, or the last "spw 1" / "spw 14"
    int callChannel = 62;        // spw 1
    int rxTestChannel = 62;      // spw 14
    int agcSetting = 0;          // spw 15
    int afcEnabled = 1;          // rfpw 8
    int afcDac = 0;              // rfpw 9, 1/8 units
    int gsmLevel = 5;            // the last GSM level of "txpw 1"
    int dcsLevel = 100;          // the last DCS level of "txpw 1"
    bool dcsLevelActive = false; // the last "txpw 1" named a DCS level
    int rampIndex = 0;           // txpw 5
    int rfMode = 0;              // rfe: 0 off, 1 receiver, 3, 6 or 7 transmitter
    bool rxContinuous = false;   // se 30
    bool callRequested = false;
    int testMode = 0;      // tms
    int agcGain = 30;      // rxpw 1
    int rxTimeslot = 2;    // rxpw 2
    int agcEnabled = 1;    // rxpw 8
    int rxFrontDelay = 24; // rxpw 10
};

// The logic test panel's switches and the EEPROM viewer's address; lost at every restart.
struct Peripherals {
    bool backlight = false;
    int micLoop = 0;                               // spw 72
    int toneGain = 0;                              // spw 73
    int toneOn = 0;                                // spw 74
    int ledPattern = 0;                            // spw 56
    int eepromAddress = 0;                         // spw 55
    std::array<std::uint32_t, 256> statsConfig{};  // scw / scr
    std::array<std::uint16_t, 256> memoryParams{}; // mpw / mpr
};

// Sub-band of a channel: GSM 1..3, 4 for the extended band; DCS 1..3; 0 for none.
int GsmSubBand(int arfcn);
int DcsSubBand(int arfcn);
bool IsGsmLevel(int level);
// Column of a DCS level (100..115, 129..131) in the DCS table; -1 for any other number.
int DcsLevelSlot(int level);
// The ramp template a power level uses: the ramp editor's mapping.
int RampIndexForLevel(int level);
// Entry of the RX correction table for a channel: the calibrated channel nearest in frequency
// within the same band; -1 for no channel.
int RxCalSlot(int arfcn);
