#pragma once

#include "sim/a8960/Virtual8960State.h"
#include "sim/scpi/ScpiHeader.h"

#include <span>

// The band and channel settings of the virtual 8960: a header, where it is kept and what it
// accepts. Each also answers its query.
struct BandSetting {
    const char* pattern;
    GsmBand Virtual8960State::*band;
    bool retunesGenerator; // a given generator frequency gives way to the channel
};

// Kept for each band: the header's last node names the band, or else it is the selected one.
struct PerBandSetting {
    const char* pattern;
    PerBand<int> Virtual8960State::*values;
    GsmBand Virtual8960State::*selected;
    bool arfcn; // a channel of its band; else an MS TX level
    bool retunesGenerator;
};

std::span<const BandSetting> BandSettings();
std::span<const PerBandSetting> PerBandSettings();

// "<band>" in a per-band header: any band name ("EGSM").
std::span<const ScpiPlaceholder> BandPlaceholders();

// GSM power control levels (3GPP TS 45.005, 4.1.1).
inline constexpr int kMaxMsTxLevel = 31;
