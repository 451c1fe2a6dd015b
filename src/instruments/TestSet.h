#pragma once

#include "Visa.h"

// The test set operations the calibration calls without knowing which test set is connected.
// Each reads and writes the calibration context, dispatches on its test-set type (8960 or
// Willtek 4400; with none they do nothing) and passes every driver status to
// CheckTestSetStatus. "Guarded" operations without a session set the instrument fault flag and
// do nothing; "quiet" ones just do nothing. They block the calling thread for the instrument.

// Sessions.
bool InitTestSet();
void CloseTestSet();
void PresetTestSet();
void ClearAndResetTestSet(); // the 8960 only
// The single error path: the first failure of a calibration is tolerated after a device clear
// or reset, the second presets and closes the test set and stops the run.
void CheckTestSetStatus(ViSession session, ViStatus status);

// TX calibration.
void SetupTxMeasurement();     // guarded
void ConfigureTxCalibration(); // guarded
void SetMsPowerLevel();        // guarded
void MeasureTxPower();         // guarded
void SetTxLevelAndChannel();   // guarded
void SetAmplitudeOffset();     // the 8960 only

// Call check and RX calibration.
bool WaitForCallConnected(); // guarded
void SetupRxCalibration();
void SetRxLossAndLevel();   // guarded
void SetTrafficChannel();   // guarded, quiet
void ReadReportedRxLevel(); // guarded, quiet

// GMAGIC.
void SetupCwDownlink();      // guarded, quiet
void ConfigureCwGenerator(); // guarded, quiet
void SetCwFrequency();

// The target's transmit frequency of an ARFCN (GSM 900, EGSM, DCS 1800); 0.0 for any other.
double UplinkFrequencyMHz(int arfcn);
