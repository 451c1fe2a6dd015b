#include "app/rftune-cal/CalOptions.h"

#include "app/startup/CalibrationOptions.h"
#include "autocal/AutocalSettings.h"

namespace {

struct RunName {
    const char* name;
    bool runAll;
    ActiveCalibration calibration;
};

constexpr RunName kRuns[] = {
    {"all", true, CAL_NONE},       {"gmagic", false, CAL_GMAGIC}, {"rx", false, CAL_RX},
    {"gsm-tx", false, CAL_GSM_TX}, {"dcs-tx", false, CAL_DCS_TX}, {"board", false, CAL_BOARD},
};

bool ReadRun(const QCommandLineParser& parser, CycleOptions* options, QString* error) {
    const QString wanted = parser.isSet("run") ? parser.value("run") : QStringLiteral("all");
    for (const RunName& run : kRuns) {
        if (wanted == QLatin1String(run.name)) {
            options->runAll = run.runAll;
            options->calibration = run.calibration;
            return true;
        }
    }
    *error =
        QStringLiteral("unknown --run \"%1\" (all, gmagic, rx, gsm-tx, dcs-tx, board)").arg(wanted);
    return false;
}

bool ReadUnits(const QCommandLineParser& parser, int* units, QString* error) {
    if (!parser.isSet("units"))
        return true;
    bool ok = false;
    *units = parser.value("units").toInt(&ok);
    if (ok && *units > 0)
        return true;
    *error = QStringLiteral("bad --units value \"%1\"").arg(parser.value("units"));
    return false;
}

} // namespace

void AddCalOptions(QCommandLineParser& parser) {
    AddCalibrationOptions(parser);
    parser.addOptions({
        {"run", "all (default: GMAGIC, RX, GSM TX, DCS TX), gmagic, rx, gsm-tx, dcs-tx or board.",
         "WHAT"},
        {"units", "Calibrate N targets one after another (default 1).", "N"},
    });
}

bool ReadCalOptions(const QCommandLineParser& parser, CycleOptions* options, QString* error) {
    CalibrationSetup setup;
    if (!ReadCalibrationOptions(parser, &setup, error) || !ReadRun(parser, options, error) ||
        !ReadUnits(parser, &options->units, error))
        return false;
    options->config = setup.config;
    options->header = setup.header;
    options->resultDirectory = setup.resultDirectory;
    options->maxRepeats = setup.maxRepeats.value_or(MaxRepeatsSetting(kHeadlessMaxRepeats));
    return true;
}
