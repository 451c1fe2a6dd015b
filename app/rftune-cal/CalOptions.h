#pragma once

#include "CalibrationCodes.h"
#include "CalibrationConfig.h"
#include "CalibrationResults.h"

#include <QCommandLineParser>
#include <QString>

// What rftune-cal is asked to do: the RF parameter configuration, what to run, for how many
// targets, and where the results go.
struct CalOptions {
    CalibrationConfig config;
    ResultHeader header;
    bool runAll = true;
    ActiveCalibration calibration = CAL_NONE; // the one calibration without --run all
    int units = 1;
    QString resultDirectory;
};

// Adds the configuration, run and output options. The supply is the simulated bench's --supply
// option, so that a simulated bench has the supply the station is configured for.
void AddCalOptions(QCommandLineParser& parser);
bool ReadCalOptions(const QCommandLineParser& parser, CalOptions* options, QString* error);
