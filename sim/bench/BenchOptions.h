#pragma once

#include "sim/bench/InstrumentBench.h"
#include "sim/bench/SerialLine.h"
#include "sim/model/UnitModel.h"
#include "sim/scanner/VirtualScanner.h"
#include "sim/target/VirtualTarget.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

// Everything a simulated bench can be asked for, from the command line of rftune-sim or of any
// executable started with --simulate.
struct BenchOptions {
    UnitOptions unit;
    // With a flaw: only every Nth unit the automatic operator puts on carries it (0: every unit).
    int flawEvery = 0;
    QString eepromFile; // the unit's EEPROM kept across runs; empty: a fresh unit every start
    QStringList barcodes;
    QString printerFile; // where the label printer's jobs go; empty: a file of a temporary folder
    int restartMs = 3000;
    TargetFaults targetFaults;
    LineFaults targetLine;
    ScannerFaults scannerFaults;
    InstrumentOptions instruments;

    // The automatic operator takes a unit off the supply once the station has gone quiet after a
    // commit or a stop, and puts the next unit (the next seed) on after a pause: for soak tests.
    bool autoOperator = false;
    int autoIdleMs = 8000;
    int autoPauseMs = 3000;
};

void AddBenchOptions(QCommandLineParser& parser);
bool ReadBenchOptions(const QCommandLineParser& parser, BenchOptions* options, QString* error);
