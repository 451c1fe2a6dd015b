#pragma once

#include "drivers/wt4400/wt4400.h"

#include <QByteArray>

// A measurement in its single form (start, then fetch the result) and its array form (measure
// count bursts, then ask for a statistic).
struct Wt4400Measurement {
    const char* measure;
    const char* fetch;
    const char* array;
};

// The statistic queries by result mode (average, minimum, maximum); null where a measurement
// has none.
using Wt4400Statistics = const char* const[3];
extern Wt4400Statistics kTxStatistics;

// Validates session and count, runs the measurement and parses count values from the result
// reply (zeros when simulated); integerAt as ScanValues, for the single form only.
ViStatus RunMeasurement(ViSession session, const Wt4400Measurement& measurement, ViInt32 count,
                        const Wt4400Statistics& statistics, ViReal64 values[], int valueCount,
                        int integerAt = -1);
