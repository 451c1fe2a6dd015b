#pragma once

#include "sim/vxi11/Vxi11Server.h"

class QCommandLineParser;

// How the station reaches the bench's instruments: raw SCPI sockets behind per-address aliases,
// or for the whole GPIB board a VXI-11 gateway (with its portmapper), a Prologix GPIB-ETHERNET on
// a loopback port or a Prologix GPIB-USB on a pseudo-terminal.
enum class BenchFace { kSocket, kVxi11, kPrologixTcp, kPrologixSerial };

struct BenchFaceOptions {
    BenchFace kind = BenchFace::kSocket;
    Vxi11Faults vxi11;
    quint16 portmapperPort = 0; // 0: a free one
};

void AddBenchFaceOptions(QCommandLineParser& parser);
bool ReadBenchFaceOptions(const QCommandLineParser& parser, BenchFaceOptions* options,
                          QString* error);
