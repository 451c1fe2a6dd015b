#pragma once

#include <QString>

#include <memory>

class SimBench;
struct BenchOptions;

// --simulate: the simulated bench (target on COM1, barcode scanner on COM2) runs inside the
// station on the same event loop, and the port map points COM1 and COM2 at it.
std::unique_ptr<SimBench> StartSimulation(const BenchOptions& options, QString* error);
