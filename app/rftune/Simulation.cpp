#include "Simulation.h"

#include "PortMap.h"
#include "SimBench.h"

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
    return bench;
}
