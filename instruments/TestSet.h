#pragma once

#include "instruments/InstrumentContext.h"
#include "visa/Visa.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// One TX power measurement. The Willtek reports no integrity indicator: 0 from it.
struct TxPowerReading {
    double dbm = 0.0;
    ViInt32 integrity = 0;
};

// What the test set did that concerns the run: the calibration follows with its own state.
enum class TestSetEvent {
    Opened,     // a session was opened
    Preset,     // an open test set was preset, or cleared and reset
    RunStopped, // the second failure of a calibration stopped the run and closed the test set
};
using TestSetReport = std::function<void(TestSetEvent)>;

// What opening the test set came to: open, or not and the text the operator is shown (none when
// no test set is configured).
struct TestSetOpening {
    bool opened = false;
    QString failureText;
};

// The test set the calibration calls without knowing which model is connected. The rules all
// models share live here, each model's driver calls in its subclass. Every operation reads and
// writes the instrument context and passes every driver status to CheckTestSetStatus.
// "Guarded" operations without a session set the instrument fault flag and do nothing; "quiet"
// ones just do nothing. Operations block the calling thread for the instrument; use the object
// from one thread.
class TestSet {
public:
    // report hears what the test set did to the run, as it happens.
    explicit TestSet(InstrumentContext& context, TestSetReport report = {})
        : context_(context), report_(std::move(report)) {}
    virtual ~TestSet() = default;
    TestSet(const TestSet&) = delete;
    TestSet& operator=(const TestSet&) = delete;

    ViSession Session() const { return session_; } // 0: none open
    // What the instrument answered to "*IDN?" when it was opened; empty while none is open.
    const QString& Identity() const { return identity_; }

    // Sessions.
    TestSetOpening InitTestSet();
    void CloseTestSet();
    void PresetTestSet();
    // At the end of the TX calibration: the 8960 is device-cleared and reset, the Willtek preset.
    void ClearAndResetTestSet();
    // The single error path: the first failure of a calibration is tolerated after a device clear
    // or reset, the second presets and closes the test set and stops the run.
    void CheckTestSetStatus(ViSession session, ViStatus status);
    // After a measurement that failed: true when the error path tolerated the failure (the test
    // set was cleared or reset and is still open), so that it may be taken once more; false when
    // the failure stopped the run or no test set was open.
    bool MayMeasureAgain() const { return session_ != 0; }

    // TX calibration.
    void SetupTxMeasurement();     // guarded
    void ConfigureTxCalibration(); // guarded
    void SetMsPowerLevel();        // guarded
    // Guarded; no value without a session or when the measurement failed.
    std::optional<TxPowerReading> MeasureTxPower();
    void SetTxLevelAndChannel(); // guarded
    void SetAmplitudeOffset();   // the 8960 only

    // Call check and RX calibration.
    bool WaitForCallConnected(); // guarded
    void SetupRxCalibration();
    void SetRxLossAndLevel(); // guarded
    void SetTrafficChannel(); // guarded, quiet
    // Guarded, quiet; the RXLEV the target reports (0 to 63), no value when none was read.
    std::optional<double> ReadReportedRxLevel();

    // GMAGIC.
    void SetupCwDownlink();      // guarded, quiet
    void ConfigureCwGenerator(); // guarded, quiet
    void SetCwFrequency();

protected:
    // The driver calls that open and close a model's session.
    struct SessionDriver {
        const char* resource;
        ViStatus (*init)(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset, ViSession* session);
        ViStatus (*close)(ViSession session);
        ViStatus (*errorText)(ViSession session, ViStatus status, ViChar text[]);
        ViStatus (*identity)(ViSession session, ViChar text[]); // 256 bytes at least
    };

    InstrumentContext& Context() { return context_; }
    const InstrumentContext& Context() const { return context_; }
    // For a model that opens its session again in place.
    ViSession* SessionSlot() { return &session_; }

    // Closes an open session and opens a new one with ID query and reset. A failure leaves no
    // session and says why in the operator's words.
    TestSetOpening OpenSession(const SessionDriver& driver);
    // Passes status to the error path; true while the operation may go on: the call succeeded or
    // the test set is still open. A second failure closes the test set, and an operation does not
    // go on talking to a closed one.
    bool Step(ViStatus status);
    // Passes status to the error path; true when the call itself succeeded, so its value counts.
    bool Succeeded(ViStatus status);

    // The model's part of each operation, called only when the guards let it.
    virtual TestSetOpening Open() = 0;
    virtual void CloseSession() = 0;
    virtual void Preset() = 0;
    virtual void ClearAndReset() = 0;
    // Recovers the instrument after a failed call; reading the error empties its queue.
    virtual void ClearAfterFailure(ViSession session, ViStatus status) = 0;
    virtual void SetupTx() = 0;
    virtual void ConfigureTx() = 0;
    virtual void SendMsPowerLevel() = 0;
    virtual std::optional<TxPowerReading> ReadTxPower() = 0;
    virtual void SendTxLevelAndChannel() = 0;
    virtual void SendAmplitudeOffset() = 0;
    virtual bool WaitForCall() = 0;
    virtual void SetupRx() = 0;
    virtual void SendRxLossAndLevel() = 0;
    virtual void SendTrafficChannel() = 0;
    virtual std::optional<double> ReadRxLevel() = 0;
    virtual void SetupCw() = 0;
    virtual void ConfigureCw() = 0;
    virtual void SendCwFrequency(double hz) = 0;

private:
    bool Guard();
    QString FailedInit(ViStatus status, const SessionDriver& driver);
    void Report(TestSetEvent event) const;
    void StopRun();
    double CwFrequencyHz() const;

    InstrumentContext& context_;
    TestSetReport report_;
    ViSession session_ = 0;
    QString identity_;
    // While a run is being stopped, the preset and close that stop it must not feed their own
    // failures back: a test set that fails every call would otherwise recurse without end.
    bool stopping_ = false;
};

// The test set of a configured type: the 8960, the Willtek 4400, or for any other type one that
// opens nothing.
std::unique_ptr<TestSet> MakeTestSet(std::int32_t type, InstrumentContext& context,
                                     TestSetReport report = {});

// The target's transmit frequency of an ARFCN (GSM 900, EGSM, DCS 1800); 0.0 for any other.
double UplinkFrequencyMHz(int arfcn);
