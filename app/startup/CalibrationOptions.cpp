#include "app/startup/CalibrationOptions.h"

#include <algorithm>
#include <iterator>

namespace {

// The dialog's text positions of a band's options: BCH, the three TCH, losses 2, 1, 3.
struct BandTexts {
    const char* prefix;
    int bch;
    int firstTch;
    int lossPositions[3]; // where losses 1, 2 and 3 sit among the dialog's texts
};

constexpr BandTexts kBands[] = {{"gsm", 0, 1, {5, 4, 6}}, {"dcs", 7, 8, {12, 11, 13}}};
constexpr int kTestSetText = 14;
constexpr int kSupplyText = 15;
constexpr const char* kConfigurationOptions[] = {"test-set", "supply",  "gsm-bch", "gsm-tch",
                                                 "gsm-loss", "dcs-bch", "dcs-tch", "dcs-loss"};

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
        texts[kTestSetText] = parser.value("test-set");
    if (parser.isSet("supply"))
        texts[kSupplyText] = parser.value("supply");
    *config = ConfigFromDialogTexts(texts);
    return true;
}

bool ReadMaxRepeats(const QCommandLineParser& parser, std::optional<int>* repeats, QString* error) {
    if (!parser.isSet("max-repeats"))
        return true;
    bool ok = false;
    const int value = parser.value("max-repeats").toInt(&ok);
    if (!ok || value < 0) {
        *error = QStringLiteral("bad --max-repeats value \"%1\" (a count, 0 for ever)")
                     .arg(parser.value("max-repeats"));
        return false;
    }
    *repeats = value;
    return true;
}

} // namespace

void AddCalibrationOptions(QCommandLineParser& parser) {
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
        {{"name", "phone-name"},
         "The phone name in the result file (default empty). Under X11 rftune takes only "
         "--phone-name: the window system reads --name itself.",
         "TEXT"},
        {"result-dir", "Append calresult.txt in DIR instead of the current directory.", "DIR"},
        {"max-repeats",
         "Send a command that gets no answer again at most N times, then fail the unit with "
         "\"No Response\" (0: for ever; default [AutoCal] MaxRepeats, else 15 in rftune-cal "
         "and 0 in the window).",
         "N"},
    });
}

bool ReadCalibrationOptions(const QCommandLineParser& parser, CalibrationSetup* setup,
                            QString* error) {
    if (!ReadConfig(parser, &setup->config, error))
        return false;
    if (parser.isSet("model"))
        setup->header.model = parser.value("model");
    if (parser.isSet("stage"))
        setup->header.stage = parser.value("stage");
    setup->header.name = parser.value("name");
    setup->resultDirectory = parser.value("result-dir");
    return ReadMaxRepeats(parser, &setup->maxRepeats, error);
}

bool ReadGivenConfiguration(const QCommandLineParser& parser,
                            std::optional<CalibrationConfig>* config, QString* error) {
    const auto given = [&parser](const char* option) {
        return parser.isSet(QLatin1String(option));
    };
    config->reset();
    if (std::none_of(std::begin(kConfigurationOptions), std::end(kConfigurationOptions), given))
        return true;
    CalibrationConfig read;
    if (!ReadConfig(parser, &read, error))
        return false;
    *config = read;
    return true;
}
