#pragma once

#include "sim/vxi11/Vxi11Server.h"

class QCommandLineParser;

// How the station reaches the bench's instruments: raw SCPI sockets behind per-address aliases,
// or a VXI-11 gateway (with its portmapper) for the whole GPIB board.
enum class BenchFace { kSocket, kVxi11 };

struct BenchFaceOptions {
    BenchFace kind = BenchFace::kSocket;
    Vxi11Faults vxi11;
    quint16 portmapperPort = 0; // 0: a free one
};

void AddBenchFaceOptions(QCommandLineParser& parser);
bool ReadBenchFaceOptions(const QCommandLineParser& parser, BenchFaceOptions* options,
                          QString* error);
