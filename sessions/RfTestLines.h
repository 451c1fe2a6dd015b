#pragma once

#include <QString>

#include <optional>

// The lines the RF test panel's buttons send, and the channel and range rules behind them.

// The buttons whose line never changes.
enum class RfStep {
    TestmodeInit,   // "ti", every group's [1]
    TestmodeSet,    // "tms 1", every group's [2]
    TxOn,           // TX TEST "TX ON[5]"
    RfOff,          // every "TX OFF" and "RX OFF"
    AgcDisable,     // RX Continous "AGC Disable[4]"
    RxOn,           // RX Continous "RX ON[6]"
    AfcDisable,     // AFC DAC "AFC Disable[4]"
    AfcTxOn,        // AFC DAC "TX ON[7]"
    SaveRfToEeprom, // "SAVE RF TO EEP"
};

QString StepLine(RfStep step);

QString TxChannelLine(int channel); // TX TEST and AFC DAC "CH Set[3]"
QString RxChannelLine(int channel); // RX Continous "CH Set[3]"

// "P/L Set": a level below 20 on a DCS channel (512..885) goes out as level + 100, on a GSM or
// EGSM channel (0..124, 975 and up) as it is; none for any other channel or level.
std::optional<QString> PowerLevelLine(int channel, int level);

// "APC DAC Set": the line of the channel's sub-band; none for a DAC above 1023 or a channel
// above 885 (the EGSM channels have no line of their own here).
std::optional<QString> ApcDacLine(int channel, int dac);

// "AGC Set": none above 50.
std::optional<QString> AgcLine(int agc);

QString AfcDacLine(int afcDac); // "AFC DAC Set[6]"
