#pragma once

// What is connected to the output of a virtual supply that powers the target: the bench's unit.
// Called with the supply's lock held, from the thread that feeds it lines or sets up the bench.
class SupplyLoad {
public:
    virtual ~SupplyLoad();

    // The output as the supply drives it now: on or off, and the voltage set.
    virtual void SetSupply(bool outputOn, double volts) = 0;
    // What the load draws, in A, before the supply's current limit.
    virtual double DrawA() const = 0;
};
