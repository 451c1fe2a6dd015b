#pragma once

#include "Visa.h"

// The bench supply operations, dispatched on the calibration context's supply type (66311B,
// E3631A, E3632A/E3633A; none: nothing happens). A failed call sets the instrument fault flag;
// supply errors are not counted and never close the session.

bool InitSupply();
void CloseSupply();
// Programs voltage and current limit and switches the output on; returns 0.
int SetSupplyOutput(double volts, double amps);
void SetSupply3V8();
void SetSupply4V18();
// The output current in A; 0.0 without a supply or when the reading failed.
double ReadSupplyCurrent();
void CheckSupplyStatus(ViSession session, ViStatus status);
