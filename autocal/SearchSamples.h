#pragma once

#include <QMetaType>

#include <cstdint>
#include <optional>

// One TX power measurement of an APC search: the band (kBandEgsm or kBandDcs), the sub-band, the
// level as the TX calibration keeps it (GSM PCL, DCS 100 + PCL), the DAC the target transmitted
// with and what the test set measured (none when the measurement failed).
struct TxPowerSample {
    std::int16_t band = 0;
    std::int32_t subBand = 0;
    std::int32_t level = 0;
    std::int32_t dac = 0;
    std::optional<double> dbm;
};

// One power reading of the GMAGIC calibration, as the target reported it.
struct GmagicSample {
    std::int16_t band = 0;
    double dbm = 0.0;
};

Q_DECLARE_METATYPE(TxPowerSample)
Q_DECLARE_METATYPE(GmagicSample)
