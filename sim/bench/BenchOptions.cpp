#include "sim/bench/BenchOptions.h"

#include "sim/bench/BenchFace.h"
#include "sim/supply/VirtualSupply.h"

#include <QCommandLineParser>

#include <cmath>

namespace {

struct FlawName {
    const char* name;
    UnitFlaw flaw;
};

constexpr FlawName kFlaws[] = {
    {"none", UnitFlaw::kNone},          {"weak-tx", UnitFlaw::kWeakTransmitter},
    {"rx-offset", UnitFlaw::kRxOffset}, {"gmagic", UnitFlaw::kGmagic},
    {"battery", UnitFlaw::kBattery},
};

// Reads a non-negative integer option into value when it is set.
bool ReadCount(const QCommandLineParser& parser, const char* name, int* value, QString* error) {
    if (!parser.isSet(QLatin1String(name)))
        return true;
    bool ok = false;
    const int n = parser.value(QLatin1String(name)).toInt(&ok);
    if (!ok || n < 0) {
        *error = QStringLiteral("bad --%1 value \"%2\"")
                     .arg(QLatin1String(name), parser.value(QLatin1String(name)));
        return false;
    }
    *value = n;
    return true;
}

bool ReadFlaw(const QCommandLineParser& parser, UnitFlaw* flaw, QString* error) {
    if (!parser.isSet(QStringLiteral("flaw")))
        return true;
    const QString wanted = parser.value(QStringLiteral("flaw"));
    for (const FlawName& entry : kFlaws) {
        if (wanted == QLatin1String(entry.name)) {
            *flaw = entry.flaw;
            return true;
        }
    }
    *error = QStringLiteral("unknown --flaw \"%1\" (none, weak-tx, rx-offset, gmagic, battery)")
                 .arg(wanted);
    return false;
}

bool ReadSupply(const QCommandLineParser& parser, VirtualSupplyModel* model, QString* error) {
    // "NOT USED" is the station's own choice of no supply: the bench keeps its default one unused.
    const QString wanted = parser.value(QStringLiteral("supply"));
    if (!parser.isSet(QStringLiteral("supply")) || wanted == QLatin1String("NOT USED") ||
        VirtualSupply::ParseModel(wanted, model))
        return true;
    QStringList names;
    for (const SupplyModelRatings& ratings : SupplyModels())
        names << QLatin1String(ratings.name);
    *error = QStringLiteral("unknown --supply \"%1\" (%2)")
                 .arg(parser.value(QStringLiteral("supply")), names.join(QStringLiteral(", ")));
    return false;
}

// Reads a cable loss in dB (0 or more, a loss and not a gain) into value when it is set.
bool ReadLoss(const QCommandLineParser& parser, const char* name, double* value, QString* error) {
    if (!parser.isSet(QLatin1String(name)))
        return true;
    bool ok = false;
    const double db = parser.value(QLatin1String(name)).toDouble(&ok);
    if (!ok || !std::isfinite(db) || db < 0.0) {
        *error = QStringLiteral("bad --%1 value \"%2\" (a loss in dB, 0 or more)")
                     .arg(QLatin1String(name), parser.value(QLatin1String(name)));
        return false;
    }
    *value = db;
    return true;
}

// Reads the measurement numbers of --fail-measurement, each from 1, when it is set.
bool ReadMeasurements(const QCommandLineParser& parser, QList<int>* numbers, QString* error) {
    if (!parser.isSet(QStringLiteral("fail-measurement")))
        return true;
    const QString given = parser.value(QStringLiteral("fail-measurement"));
    QList<int> read;
    for (const QString& item : given.split(',')) {
        bool ok = false;
        const int n = item.toInt(&ok);
        if (!ok || n < 1) {
            *error = QStringLiteral("bad --fail-measurement value \"%1\" (measurement numbers "
                                    "from 1, such as 4 or 4,5)")
                         .arg(given);
            return false;
        }
        read << n;
    }
    *numbers = read;
    return true;
}

} // namespace

void AddBenchOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"seed", "The simulated unit's seed (default 1).", "N"},
        {"flaw", "Make the unit fail: weak-tx, rx-offset, gmagic or battery.", "NAME"},
        {"flaw-every", "With --flaw and --auto-operator: only every Nth unit is flawed.", "N"},
        {"eeprom", "Keep the unit's EEPROM in this file across runs.", "FILE"},
        {"barcodes", "IMEI barcodes the scanner reads, one per line.", "FILE"},
        {"restart-ms", "How long the target takes to restart after \"se 300\".", "MS"},
        {"drop-every", "Drop the target's reply to every Nth command.", "N"},
        {"status-error-every", "Answer every Nth command with a status error.", "N"},
        {"corrupt-checksum-every", "Corrupt the checksum of every Nth reply.", "N"},
        {"silent", "The target answers nothing."},
        {"garbage", "Noise bytes on the target line before every reply."},
        {"burst-bytes", "Send replies in bursts of N bytes.", "N"},
        {"delay-ms", "Delay every reply.", "MS"},
        {"scanner-silent", "The barcode scanner answers nothing."},
        {"scanner-misread-every", "Every Nth barcode is misread.", "N"},
        {"scanner-no-label",
         "The barcode scanner finds no label to read (\"LON\" gets no answer)."},
        {"printer-file", "Where LPT1, the label printer, prints (default: a temporary file).",
         "FILE"},
        {"auto-operator", "Take finished units off and put new ones on, without end."},
        {"auto-idle-ms", "Quiet time after a commit before the operator takes the unit off.", "MS"},
        {"auto-pause-ms", "Pause before the operator puts the next unit on.", "MS"},
        {"supply",
         "The bench supply: 66311B, E3631A, E3632A (default) or E3633A; \"NOT USED\" for a "
         "station without one.",
         "MODEL"},
        {"cable-loss-gsm", "The RF cable's loss in the GSM bands (default 1.3).", "DB"},
        {"cable-loss-dcs", "The RF cable's loss in the DCS band (default 1.8).", "DB"},
        {"fail-measurement",
         "The test sets fail their Nth measurement (and their Mth...), counted from 1, as the real "
         "ones do: the 8960 with an error in its queue, the 4400 with its error reply.",
         "N[,M]"},
    });
    AddBenchFaceOptions(parser);
}

bool ReadBenchOptions(const QCommandLineParser& parser, BenchOptions* options, QString* error) {
    int seed = static_cast<int>(options->unit.seed);
    TargetFaults& target = options->targetFaults;
    if (!ReadCount(parser, "seed", &seed, error) || !ReadFlaw(parser, &options->unit.flaw, error) ||
        !ReadCount(parser, "flaw-every", &options->flawEvery, error) ||
        !ReadCount(parser, "restart-ms", &options->restartMs, error) ||
        !ReadCount(parser, "drop-every", &target.dropEveryNth, error) ||
        !ReadCount(parser, "status-error-every", &target.statusErrorEveryNth, error) ||
        !ReadCount(parser, "corrupt-checksum-every", &target.corruptChecksumEveryNth, error) ||
        !ReadCount(parser, "burst-bytes", &options->targetLine.burstBytes, error) ||
        !ReadCount(parser, "delay-ms", &options->targetLine.delayMs, error) ||
        !ReadCount(parser, "scanner-misread-every", &options->scannerFaults.misreadEveryNth,
                   error) ||
        !ReadCount(parser, "auto-idle-ms", &options->autoIdleMs, error) ||
        !ReadCount(parser, "auto-pause-ms", &options->autoPauseMs, error) ||
        !ReadSupply(parser, &options->instruments.supply, error) ||
        !ReadLoss(parser, "cable-loss-gsm", &options->instruments.gsmCableLossDb, error) ||
        !ReadLoss(parser, "cable-loss-dcs", &options->instruments.dcsCableLossDb, error) ||
        !ReadMeasurements(parser, &options->instruments.failedMeasurements, error) ||
        !ReadBenchFaceOptions(parser, &options->instruments.face, error))
        return false;
    options->unit.seed = static_cast<std::uint32_t>(seed);
    target.silent = parser.isSet(QStringLiteral("silent"));
    options->targetLine.garbageBetweenFrames = parser.isSet(QStringLiteral("garbage"));
    options->scannerFaults.silent = parser.isSet(QStringLiteral("scanner-silent"));
    options->scannerFaults.noLabel = parser.isSet(QStringLiteral("scanner-no-label"));
    options->printerFile = parser.value(QStringLiteral("printer-file"));
    options->autoOperator = parser.isSet(QStringLiteral("auto-operator"));
    options->eepromFile = parser.value(QStringLiteral("eeprom"));
    if (parser.isSet(QStringLiteral("barcodes")) &&
        !VirtualScanner::LoadBarcodes(parser.value(QStringLiteral("barcodes")), &options->barcodes,
                                      error))
        return false;
    return true;
}
