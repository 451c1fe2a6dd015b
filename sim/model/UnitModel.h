#pragma once

#include "sim/model/Battery.h"
#include "sim/model/UnitVariation.h"

#include <cstdint>
#include <optional>

struct UnitOptions {
    std::uint32_t seed = 1;
    UnitFlaw flaw = UnitFlaw::kNone;
    double pmNoiseDb = 0.1; // standard deviation of the GMAGIC power measurement
};

// What the target's firmware has set its radio to; the firmware writes it after each command.
struct RadioSetting {
    int txChannel = 0; // ARFCN the transmitter works on (0: none)
    int rxChannel = 0; // ARFCN the receiver measures on (0: none)
    int apcDac = 0;    // APC DAC in effect for txChannel at the current power level
    bool transmitting = false;
    bool receiving = false;
    int rxCorrection = 0; // receive level correction in force, 2 units per dB
    int gmagicGsm = 0;    // GMAGIC values in force, 2 units per dB
    int gmagicDcs = 0;
};

// The physical model of one simulated unit: its transmitter, receiver, battery measurement and
// supply current, with the variation its seed gives it. The bench inserts and removes it, the
// virtual instruments drive its supply and RF side, the virtual target's firmware sets its radio.
// Without any instrument it sits on a 4.18 V supply with a -60 dBm cell.
class UnitModel {
public:
    static constexpr double kNotTransmittingDbm = -100.0;
    static constexpr double kNoSignalDbm = -200.0; // a cell level for "no cell"
    static constexpr double kCallSensitivityDbm = -102.0;
    static constexpr double kBrownOutVolts = 3.3;

    explicit UnitModel(const UnitOptions& options = {});

    // The bench: the unit on the supply or off it.
    void Insert();
    void Remove();
    bool OnSupply() const { return onSupply_; }
    bool Powered() const { return powered_; }
    // Counts power-ups, so that the firmware can tell it has been restarted by the power.
    int PowerUps() const { return powerUps_; }

    // The supply.
    void SetSupplyVoltage(double volts);
    void SetSupplyOutput(bool on);
    double SupplyVoltage() const { return supplyVolts_; }
    double SupplyCurrentA() const;

    // The test set, with levels as they reach the unit (after the cable loss). A cell below
    // the call sensitivity, kNoSignalDbm say, is no cell; the test set switches it off that way
    // when it sends a CW tone instead.
    void SetCellPowerDbm(double dbm);
    void SetCwGenerator(bool on, double frequencyHz, double levelDbm);
    double TransmittedPowerDbm() const; // kNotTransmittingDbm when not transmitting
    double TransmitFrequencyHz() const; // 0 when not transmitting
    bool CallStarted() const;
    std::optional<int> ReportedRxLev() const; // RXLEV 0..63 in a call, none otherwise

    // The firmware.
    void SetRadio(const RadioSetting& radio) { radio_ = radio; }
    const RadioSetting& Radio() const { return radio_; }
    void SetCallRequested(bool requested) { callRequested_ = requested; }
    // Receive level in dB above -110 dBm on the receive channel; 0 when the receiver is off.
    double RxLevelDb() const;
    // The GMAGIC power measurement in dB (55 for a -74.5 dBm tone with the unit's own GMAGIC
    // written); 0 when the receiver is off. Noisy, hence not const.
    double PowerMeasurement();
    // Battery ADC counts for the supply voltage; 0 when not powered.
    int ReadBatteryAdc();

    const UnitVariation& Variation() const { return variation_; }

private:
    void UpdatePower();
    double ReceivedDbm(int arfcn) const;

    UnitVariation variation_;
    UnitRandom noise_;
    double pmNoiseDb_;
    BatteryAdc battery_;

    bool onSupply_ = true;
    bool supplyOn_ = true;
    double supplyVolts_ = 4.18;
    bool powered_ = false;
    int powerUps_ = 0;

    double cellDbm_ = -60.0;
    bool cwOn_ = false;
    double cwHz_ = 0.0;
    double cwDbm_ = kNoSignalDbm;

    RadioSetting radio_;
    bool callRequested_ = false;
};
