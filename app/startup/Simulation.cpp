#include "Simulation.h"

#include "PortMap.h"
#include "SimBench.h"
#include "VisaConfig.h"

namespace {
constexpr int kTargetPort = 1;
constexpr int kScannerPort = 2;
} // namespace

std::unique_ptr<SimBench> StartSimulation(const BenchOptions& options, QString* error) {
    auto bench = std::make_unique<SimBench>(options);
    if (!bench->Start(error))
        return nullptr;
    PortMap::Instance().Set(kTargetPort, bench->TargetDevice());
    PortMap::Instance().Set(kScannerPort, bench->ScannerDevice());
    for (const QString& alias : bench->VisaAliases()) {
        QString ignored;
        VisaConfig::Instance().ApplyAliasOption(alias, &ignored);
    }
    return bench;
}
