#pragma once

#include "autocal/StationStatus.h"

#include <QString>

class CLabel;

// The calibration window's status line in the station's three styles.
namespace StatusLine {

// Large enough to be read from two metres; the old station's 12-unit font was for a 640 x 480
// screen.
inline constexpr int kFontPixels = 34;

void Show(CLabel& line, const QString& text, StatusStyle style);

} // namespace StatusLine
