#pragma once

#include "instruments/InstrumentContext.h"
#include "visa/Visa.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// The bench supply the calibration calls without knowing which model is connected; each model
// family's driver calls are in its subclass. A failed call sets the instrument fault flag; supply
// errors are not counted and never close the session. Operations block the calling thread for
// the instrument; use the object from one thread.
class Supply {
public:
    explicit Supply(InstrumentContext& context) : context_(context) {}
    virtual ~Supply() = default;
    Supply(const Supply&) = delete;
    Supply& operator=(const Supply&) = delete;

    ViSession Session() const { return session_; } // 0: none open
    // What the instrument answered to "*IDN?" when it was opened; empty while none is open.
    const QString& Identity() const { return identity_; }

    // Closes an open session first, then opens the supply and powers the target at 3.8 V / 3.0 A;
    // true when the supply opened, and always without a supply.
    bool InitSupply();
    void CloseSupply();
    // Programs voltage and current limit and switches the output on; returns 0.
    int SetSupplyOutput(double volts, double amps);
    void SetSupply3V8();
    void SetSupply4V18();
    // The output current in A; no value without a supply or when the reading failed.
    std::optional<double> ReadSupplyCurrent();
    void CheckSupplyStatus(ViSession session, ViStatus status);

protected:
    // For the driver's initialisation, which writes the session.
    ViSession* SessionSlot() { return &session_; }
    void SetIdentity(const QString& identity) { identity_ = identity; }
    void Check(ViStatus status) { CheckSupplyStatus(session_, status); }

    // The model's part of each operation.
    virtual bool Open() = 0;
    virtual void CloseSession() = 0;
    virtual void ProgramOutput(double volts, double amps) = 0;
    virtual std::optional<double> MeasureCurrent() = 0;
    // Recovers the instrument after a failed call; reading the error empties its queue.
    virtual void ClearAfterFailure(ViSession session, ViStatus status) = 0;

private:
    InstrumentContext& context_;
    ViSession session_ = 0;
    QString identity_;
};

// The supply of a configured type: the 66311B, the E3631A, the E3632A or E3633A, or for any other
// type one that opens nothing.
std::unique_ptr<Supply> MakeSupply(std::int32_t type, InstrumentContext& context);
