#pragma once

#include <QString>

#include <memory>

class SimBench;
struct BenchOptions;

// --simulate: the simulated bench (target on COM1, barcode scanner on COM2, label printer on
// LPT1, the instruments at their GPIB addresses) runs inside the station on the same event loop,
// on the station's time scale, and the port map and the VISA aliases point at it.
std::unique_ptr<SimBench> StartSimulation(const BenchOptions& options, QString* error);

// The link settings a simulated bench runs with, over the settings file and under the command
// line: its virtual target computes every reply checksum, so a wrong one is rejected.
void UseBenchLinkSettings();
