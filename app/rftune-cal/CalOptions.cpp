#include "CalOptions.h"

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

// The dialog's text positions of a band's options: BCH, the three TCH, losses 2, 1, 3.
struct BandTexts {
    const char* prefix;
    int bch;
    int firstTch;
    int lossPositions[3]; // where losses 1, 2 and 3 sit among the dialog's texts
};

constexpr BandTexts kBands[] = {{"gsm", 0, 1, {5, 4, 6}}, {"dcs", 7, 8, {12, 11, 13}}};

bool ReadTriple(const QCommandLineParser& parser, const QString& name, QStringList* texts,
                const int (&positions)[3], QString* error) {
    if (!parser.isSet(name))
        return true;
    const QStringList parts = parser.value(name).split(QLatin1Char(','));
    if (parts.size() != 3) {
        *error = QStringLiteral("--%1 takes three values, e.g. 1,62,124, not \"%2\"")
                     .arg(name, parser.value(name));
        return false;
    }
    for (int i = 0; i < 3; ++i)
        (*texts)[positions[i]] = parts[i].trimmed();
    return true;
}

bool ReadBand(const QCommandLineParser& parser, const BandTexts& band, QStringList* texts,
              QString* error) {
    const QString prefix = QLatin1String(band.prefix);
    if (parser.isSet(prefix + "-bch"))
        (*texts)[band.bch] = parser.value(prefix + "-bch");
    const int tch[3] = {band.firstTch, band.firstTch + 1, band.firstTch + 2};
    return ReadTriple(parser, prefix + "-tch", texts, tch, error) &&
           ReadTriple(parser, prefix + "-loss", texts, band.lossPositions, error);
}

bool ReadConfig(const QCommandLineParser& parser, CalibrationConfig* config, QString* error) {
    QStringList texts = DefaultDialogTexts();
    for (const BandTexts& band : kBands) {
        if (!ReadBand(parser, band, &texts, error))
            return false;
    }
    if (parser.isSet("test-set"))
        texts[14] = parser.value("test-set");
    if (parser.isSet("supply"))
        texts[15] = parser.value("supply");
    *config = ConfigFromDialogTexts(texts);
    return true;
}

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
    parser.addOptions({
        {"test-set", "The test set: \"W4400M\" (default), \"A8960 E5515B\" or \"NOT USED\".",
         "TEXT"},
        {"gsm-bch", "GSM BCH channel (default 80).", "N"},
        {"gsm-tch", "PGSM1, PGSM2, PGSM3 TCH channels (default 1,62,124; NOT for none).", "N,N,N"},
        {"gsm-loss", "GSM loss 1, 2, 3 in dB (default -1.3,-1.3,-1.3).", "L,L,L"},
        {"dcs-bch", "DCS BCH channel (default 512).", "N"},
        {"dcs-tch", "DCS1, DCS2, DCS3 TCH channels (default 512,698,885).", "N,N,N"},
        {"dcs-loss", "DCS loss 1, 2, 3 in dB (default -1.8,-1.8,-1.8).", "L,L,L"},
        {"model", "The phone model in the result file (default QM310/QT310).", "TEXT"},
        {"stage", "The build stage in the result file (default MP).", "TEXT"},
        {"name", "The phone name in the result file (default empty).", "TEXT"},
        {"run", "all (default: GMAGIC, RX, GSM TX, DCS TX), gmagic, rx, gsm-tx, dcs-tx or board.",
         "WHAT"},
        {"units", "Calibrate N targets one after another (default 1).", "N"},
        {"result-dir", "Append calresult.txt in DIR instead of the current directory.", "DIR"},
    });
}

bool ReadCalOptions(const QCommandLineParser& parser, CycleOptions* options, QString* error) {
    if (!ReadConfig(parser, &options->config, error) || !ReadRun(parser, options, error) ||
        !ReadUnits(parser, &options->units, error))
        return false;
    if (parser.isSet("model"))
        options->header.model = parser.value("model");
    if (parser.isSet("stage"))
        options->header.stage = parser.value("stage");
    options->header.name = parser.value("name");
    options->resultDirectory = parser.value("result-dir");
    return true;
}
