#pragma once

// Radio channels (ARFCN) as the unit's radio sees them: which band a channel is in, its
// frequencies, and where it lies across its band.

enum class RadioBand { kNone, kGsm, kDcs };

// GSM 900 with its extended part (1..124, 975..1023) or DCS 1800 (512..885); anything else
// (ARFCN 0 included, which the station never uses) is no channel.
RadioBand BandOf(int arfcn);

// The unit's transmit frequency; 0.0 for no channel.
double UplinkMHz(int arfcn);
// The frequency the unit receives on: 45 MHz (GSM) or 95 MHz (DCS) above the uplink.
double DownlinkMHz(int arfcn);

// Position of the channel's uplink frequency across its band, from -1 (bottom) to 1 (top);
// 0 for no channel. Frequency responses of the unit are functions of this position.
double BandPosition(int arfcn);
