#pragma once

#include <QByteArray>

#include <array>
#include <cstddef>
#include <optional>

// The GSM bands the instrument's cell, traffic channel and RF generator can each be set to.
enum class GsmBand { Pgsm, Egsm, Dcs, Pcs, Gsm850 };

inline constexpr std::size_t kGsmBandCount = 5;

// One value for each band, as the instrument keeps channels and levels.
template <typename T> using PerBand = std::array<T, kGsmBandCount>;

constexpr std::size_t IndexOf(GsmBand band) {
    return static_cast<std::size_t>(band);
}

// The band of an upper-case name ("EGSM"), or none.
std::optional<GsmBand> BandNamed(const QByteArray& name);
QByteArray BandName(GsmBand band);

bool ArfcnInBand(GsmBand band, int arfcn);
// Carrier frequencies of a channel of the band (3GPP TS 45.005, 2); the channel must be in it.
double UplinkHz(GsmBand band, int arfcn);
double DownlinkHz(GsmBand band, int arfcn);
