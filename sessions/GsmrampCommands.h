#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the ramp table editor offers and which command lines its choices become.

// An ARFCN sub-band of the BAND box and the command family that writes and reads its APC DAC.
struct RampBand {
    const char* caption;
    const char* dacWritePrefix; // followed by the DAC text
    const char* dacReadLine;
};

QStringList RampBandCaptions(); // "1~55" .. "975~1023", band index 0..6
// nullptr for an index outside the BAND box.
const RampBand* RampBandAt(int bandIndex);

QStringList TxLevelCaptions();   // "5" .. "19", then "100" .. "115"
QStringList RampIndexCaptions(); // "0" .. "30"

// The ramp index a TX LEVEL text uses: GSM levels 5..19 take 0..14, DCS levels 100..115 take
// 15..30; nothing for any other text.
std::optional<int> RampIndexForTxLevel(const QString& level);
