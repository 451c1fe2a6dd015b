#include "sim/bench/BenchFace.h"

#include <QCommandLineParser>

namespace {

struct FaceName {
    const char* name;
    BenchFace face;
};

constexpr FaceName kFaces[] = {
    {"socket", BenchFace::kSocket},
    {"vxi11", BenchFace::kVxi11},
    {"prologix-tcp", BenchFace::kPrologixTcp},
    {"prologix-serial", BenchFace::kPrologixSerial},
};

bool ReadFace(const QCommandLineParser& parser, BenchFace* face, QString* error) {
    if (!parser.isSet(QStringLiteral("bench-face")))
        return true;
    const QString wanted = parser.value(QStringLiteral("bench-face"));
    QStringList names;
    for (const FaceName& entry : kFaces) {
        if (wanted == QLatin1String(entry.name)) {
            *face = entry.face;
            return true;
        }
        names << QLatin1String(entry.name);
    }
    *error = QStringLiteral("unknown --bench-face \"%1\" (%2)")
                 .arg(wanted, names.join(QStringLiteral(", ")));
    return false;
}

// Reads a whole number from minimum up to 65535 into value when the option is set.
template <typename Number>
bool ReadNumber(const QCommandLineParser& parser, const char* name, int minimum, Number* value,
                QString* error) {
    if (!parser.isSet(QLatin1String(name)))
        return true;
    bool ok = false;
    const int n = parser.value(QLatin1String(name)).toInt(&ok);
    if (!ok || n < minimum || n > 65535) {
        *error = QStringLiteral("bad --%1 value \"%2\"")
                     .arg(QLatin1String(name), parser.value(QLatin1String(name)));
        return false;
    }
    *value = static_cast<Number>(n);
    return true;
}

} // namespace

void AddBenchFaceOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"bench-face",
         "How the station reaches the instruments: socket (default: an SCPI socket per "
         "address), vxi11 (a LAN/GPIB gateway for the whole board), prologix-tcp (a Prologix "
         "GPIB-ETHERNET) or prologix-serial (a Prologix GPIB-USB on a pseudo-terminal).",
         "FACE"},
        {"portmapper", "The VXI-11 portmapper's port (default: a free one; 111 needs root).",
         "PORT"},
        {"vxi11-delay-ms", "The VXI-11 gateway delays every reply.", "MS"},
        {"vxi11-timeout-every", "The gateway answers every Nth read with its I/O time-out.", "N"},
        {"vxi11-max-recv", "The gateway's maxRecvSize, which also caps one read.", "BYTES"},
        {"vxi11-fragment-bytes", "The gateway splits its records into fragments of N bytes.", "N"},
        {"vxi11-stale-reply", "The gateway repeats its previous reply before each one."},
        {"vxi11-drop-at-call", "The gateway drops the connection at its Nth call.", "N"},
        {"vxi11-locked", "Another link holds a lock on the gateway's DEVICE, e.g. gpib0,14.",
         "DEVICE"},
    });
}

bool ReadBenchFaceOptions(const QCommandLineParser& parser, BenchFaceOptions* options,
                          QString* error) {
    Vxi11Faults& faults = options->vxi11;
    faults.staleReplies = parser.isSet(QStringLiteral("vxi11-stale-reply"));
    faults.lockedDevice = parser.value(QStringLiteral("vxi11-locked"));
    return ReadFace(parser, &options->kind, error) &&
           ReadNumber(parser, "portmapper", 1, &options->portmapperPort, error) &&
           ReadNumber(parser, "vxi11-delay-ms", 0, &faults.delayMs, error) &&
           ReadNumber(parser, "vxi11-timeout-every", 0, &faults.timeoutEveryNth, error) &&
           ReadNumber(parser, "vxi11-max-recv", 1, &faults.maxRecvSize, error) &&
           ReadNumber(parser, "vxi11-fragment-bytes", 0, &faults.fragmentBytes, error) &&
           ReadNumber(parser, "vxi11-drop-at-call", 0, &faults.dropAtCall, error);
}
