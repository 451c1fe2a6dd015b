#pragma once

#include "sim/supply/SupplyLoad.h"

// The bench's unit as a test sets it: what it draws, and what the supply last drove it with.
class FakeLoad : public SupplyLoad {
public:
    void SetSupply(bool outputOn, double outputVolts) override {
        on = outputOn;
        volts = outputVolts;
    }
    double DrawA() const override { return drawA; }

    bool on = false;
    double volts = -1.0;
    double drawA = 0.2;
};
