#pragma once

#include "sim/a8960/GsmBand.h"

#include <optional>

// The settings of the virtual 8960 that a full preset (*RST) returns to their defaults.
struct Virtual8960State {
    // CALL and CELL both name the active cell.
    enum class Mode { ActiveCell, Test };
    enum class Downlink { Cw, Bch, BchTch };

    Mode mode = Mode::ActiveCell;
    Downlink downlink = Downlink::BchTch;

    GsmBand cellBand = GsmBand::Pgsm;
    GsmBand tchBand = GsmBand::Pgsm;
    PerBand<int> bchArfcn{20, 20, 512, 512, 150}; // in the order of GsmBand
    PerBand<int> tchArfcn{30, 30, 698, 698, 160};
    PerBand<int> msTxLevel{15, 15, 15, 15, 15};

    // The cell is on from the start, as an active cell is.
    double cellDbm = -85.0;
    bool cellOn = true;

    GsmBand generatorBand = GsmBand::Pgsm;
    PerBand<int> generatorArfcn{20, 20, 512, 512, 150};
    // A frequency given since the generator's channel was: it takes the channel's place.
    std::optional<double> generatorHz;

    double connectTimeoutS = 10.0;
};
