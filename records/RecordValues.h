#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationResults.h"

#include <QMap>
#include <QString>

// The names the result values are stored under: "gmagic.gsm", "gmagic.dcs", "rx.0" to "rx.16",
// "apc.gsm.S.L" (sub-band S 1 to 3, level L 5 to 19), "apc.dcs.S.P" (PCL P 0 to 15) and
// "battery".
QString GmagicValueName(int band);
QString RxValueName(int index);
QString ApcValueName(int band, int subBand, int level);
inline constexpr const char* kBatteryValueName = "battery";

// The values a finished calibration shows, by name.
QMap<QString, qint64> ValuesOf(ActiveCalibration calibration, const CalibrationResults& results);
// The results as the window shows them, from stored values (0 where none was stored).
CalibrationResults ResultsFromValues(const QMap<QString, qint64>& values);
