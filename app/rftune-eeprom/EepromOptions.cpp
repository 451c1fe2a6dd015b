#include "app/rftune-eeprom/EepromOptions.h"

#include <QFileInfo>

namespace {

bool ReadFormat(const QCommandLineParser& parser, EepromOptions* options, QString* error) {
    const QString format = parser.value("format");
    if (format == QLatin1String("bin")) {
        options->format = EepromMapFormat::Image;
    } else if (!format.isEmpty() && format != QLatin1String("hex")) {
        *error = QStringLiteral("bad --format value \"%1\" (bin, hex)").arg(format);
        return false;
    }
    // Raw bytes would garble a terminal: an image goes to a file only.
    if (options->format == EepromMapFormat::Image && options->out.isEmpty()) {
        *error = QStringLiteral("--format bin needs --out FILE");
        return false;
    }
    return true;
}

bool ReadTimeout(const QCommandLineParser& parser, int* timeoutMs, QString* error) {
    if (!parser.isSet("timeout"))
        return true;
    bool ok = false;
    *timeoutMs = parser.value("timeout").toInt(&ok);
    if (ok && *timeoutMs > 0)
        return true;
    *error = QStringLiteral("bad --timeout value \"%1\"").arg(parser.value("timeout"));
    return false;
}

} // namespace

void AddEepromOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"out", "Write the map to FILE instead of standard output.", "FILE"},
        {"format",
         "hex (default): a hex dump, 16 bytes a line; bin: the bytes as read, from "
         "address 0 (needs --out).",
         "FORMAT"},
        {"result-dir", "Append Eepresult.txt in DIR instead of the current directory.", "DIR"},
        {"timeout", "Reply time-out in milliseconds (default 3000).", "MS"},
    });
}

bool ReadEepromOptions(const QCommandLineParser& parser, EepromOptions* options, QString* error) {
    options->out = parser.value("out");
    options->resultDirectory = parser.value("result-dir");
    if (!options->resultDirectory.isEmpty() && !QFileInfo(options->resultDirectory).isDir()) {
        *error = QStringLiteral("--result-dir %1 is no directory").arg(options->resultDirectory);
        return false;
    }
    return ReadFormat(parser, options, error) && ReadTimeout(parser, &options->timeoutMs, error);
}
