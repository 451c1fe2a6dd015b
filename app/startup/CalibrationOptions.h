#pragma once

#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationResults.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

// What a calibration is set up with on the command line of rftune-cal and of rftune --calibrate:
// the RF parameter configuration, given as the dialog's texts and converted as the dialog
// converts them, the result file's header, and the folder of the result file.
struct CalibrationSetup {
    CalibrationConfig config = DefaultConfig();
    ResultHeader header;
    QString resultDirectory;       // empty: the current directory
    std::optional<int> maxRepeats; // --max-repeats; none: the settings file or the program's own
};

// Adds --test-set, --gsm-bch, --gsm-tch, --gsm-loss, --dcs-bch, --dcs-tch, --dcs-loss, --model,
// --stage, --name (also --phone-name), --result-dir and --max-repeats. The supply is the simulated
// bench's --supply option, so that a simulated bench has the supply the station is configured for.
void AddCalibrationOptions(QCommandLineParser& parser);
bool ReadCalibrationOptions(const QCommandLineParser& parser, CalibrationSetup* setup,
                            QString* error);
// The RF parameter configuration the command line gives rftune for its start: when any of
// --test-set, --supply, --gsm-bch, --gsm-tch, --gsm-loss, --dcs-bch, --dcs-tch and --dcs-loss is
// given, the dialog's defaults with them applied, as rftune-cal reads them; otherwise none.
bool ReadGivenConfiguration(const QCommandLineParser& parser,
                            std::optional<CalibrationConfig>* config, QString* error);
