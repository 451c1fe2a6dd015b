// Measures the faces of the VISA layer on the simulated bench: the round trip of "*IDN?" to the
// 8960 through its raw socket and through the VXI-11 gateway, and what the gateway adds to each
// SCPI exchange over the socket.
#include "sim/bench/SimBench.h"
#include "visa/Visa.h"
#include "visa/VisaConfig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <utility>

namespace {

constexpr int kWarmUpQueries = 20;

bool Query(ViSession vi) {
    static const QByteArray query("*IDN?\n");
    ViByte reply[256];
    ViUInt32 count = 0;
    return viWrite(vi, reinterpret_cast<ViConstBuf>(query.constData()),
                   static_cast<ViUInt32>(query.size()), &count) >= VI_SUCCESS &&
           viRead(vi, reply, sizeof reply, &count) >= VI_SUCCESS;
}

// The mean round trip in milliseconds through the bench's face, or a negative number.
double RoundTripMs(BenchFace kind, int queries) {
    BenchOptions options;
    options.instruments.face.kind = kind;
    SimBench bench(options);
    QString error;
    if (!bench.Start(&error)) {
        std::fprintf(stderr, "visa_measure: %s\n", qPrintable(error));
        return -1.0;
    }
    VisaConfig& config = VisaConfig::Instance();
    config.ClearAliases();
    config.ClearBoards();
    for (const QString& alias : bench.VisaAliases())
        config.ApplyAliasOption(alias, &error);
    for (const QString& board : bench.VisaBoards())
        config.ApplyBoardOption(board, &error);
    ViSession rm = VI_NULL;
    ViSession vi = VI_NULL;
    viOpenDefaultRM(&rm);
    bool ok = viOpen(rm, "GPIB0::14::INSTR", VI_NO_LOCK, 0, &vi) >= VI_SUCCESS;
    for (int i = 0; ok && i < kWarmUpQueries; ++i)
        ok = Query(vi);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; ok && i < queries; ++i)
        ok = Query(vi);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6 / queries;
    viClose(rm);
    bench.Stop(&error);
    return ok ? ms : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the round trip of \"*IDN?\" to the simulated 8960 through each face of the bench "
        "and the overhead of each face per SCPI exchange against the raw socket."));
    parser.addHelpOption();
    parser.addOption({"queries", "Queries per face (default 2000).", "N"});
    parser.process(app);
    const int queries = parser.isSet("queries") ? parser.value("queries").toInt() : 2000;
    if (queries <= 0) {
        std::fprintf(stderr, "visa_measure: bad --queries value\n");
        return 2;
    }
    const std::pair<BenchFace, const char*> faces[] = {
        {BenchFace::kSocket, "socket"},
        {BenchFace::kVxi11, "vxi11"},
        {BenchFace::kPrologixTcp, "prologix-tcp"},
        {BenchFace::kPrologixSerial, "prologix-serial"},
    };
    double socketMs = 0.0;
    for (const auto& [face, name] : faces) {
        const double ms = RoundTripMs(face, queries);
        if (ms < 0.0)
            return 1;
        if (face == BenchFace::kSocket)
            socketMs = ms;
        std::printf("%-15s *IDN? round trip %.3f ms (%d queries), %+.3f ms per exchange against "
                    "the raw socket\n",
                    name, ms, queries, ms - socketMs);
    }
    return 0;
}
