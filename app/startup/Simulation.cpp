#include "app/startup/Simulation.h"

#include "base/StationClock.h"
#include "link/LinkSettings.h"
#include "link/PortMap.h"
#include "sim/bench/SimBench.h"
#include "visa/VisaConfig.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kTargetPort = 1;
constexpr int kScannerPort = 2;
constexpr int kPrinterPort = 1;
// The station keeps a floor under its reply time-outs (500 ms) and timed continues (200 ms)
// however short the clock: the operator waits out more than those before taking a unit off.
constexpr int kShortestOperatorIdleMs = 1500;
// The station polls the supply's current for the removal; a busy machine may leave it a few
// tens of milliseconds between two polls, and a swap quicker than that is never seen.
constexpr int kShortestOperatorPauseMs = 500;

// The bench keeps the station's time: a target that restarts in 3 s must be back within the
// station's shortened waits, and the automatic operator must not outwait a shortened run.
BenchOptions OnStationClock(BenchOptions options) {
    const double scale = StationClock::Scale();
    const auto scaled = [scale](int ms) { return static_cast<int>(ms * scale); };
    options.restartMs = scaled(options.restartMs);
    options.autoIdleMs =
        std::max(scaled(options.autoIdleMs), std::min(options.autoIdleMs, kShortestOperatorIdleMs));
    options.autoPauseMs = std::max(scaled(options.autoPauseMs),
                                   std::min(options.autoPauseMs, kShortestOperatorPauseMs));
    return options;
}

} // namespace

std::unique_ptr<SimBench> StartSimulation(const BenchOptions& options, QString* error) {
    auto bench = std::make_unique<SimBench>(OnStationClock(options));
    if (!bench->Start(error))
        return nullptr;
    PortMap::Instance().Set(kTargetPort, bench->TargetDevice());
    PortMap::Instance().Set(kScannerPort, bench->ScannerDevice());
    PortMap::Instance().SetPrinter(kPrinterPort, bench->PrinterFile());
    for (const QString& alias : bench->VisaAliases()) {
        QString ignored;
        VisaConfig::Instance().ApplyAliasOption(alias, &ignored);
    }
    // A board's gateway is worth telling: rftune-visa can be pointed at it too.
    for (const QString& board : bench->VisaBoards()) {
        QString ignored;
        VisaConfig::Instance().ApplyBoardOption(board, &ignored);
        std::fprintf(stderr, "simulated bench: --visa-board %s\n", qPrintable(board));
    }
    return bench;
}

void UseBenchLinkSettings() {
    LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Reject);
}
