#pragma once

// The unit's battery voltage measurement: ADC counts proportional to the supply voltage, reading
// a little high at first after power-up and settling over the next readings, never rising
// while it settles.
class BatteryAdc {
public:
    static constexpr double kNominalCountsPerVolt = 620.0 / 4.18;

    explicit BatteryAdc(double gain) : gain_(gain) {}

    int Read(double volts);
    void PowerUp() { readings_ = 0; }

private:
    double gain_;
    int readings_ = 0;
};
