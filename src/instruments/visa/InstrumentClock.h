#pragma once

// The fixed waits of the instrument drivers (settling after a reset, polling periods). They block
// the caller, as the drivers are called on the user-interface thread and wait there; tests scale
// them down so that a 2 s settling time costs nothing.
namespace InstrumentClock {

// Blocks for seconds x the scale.
void Wait(double seconds);

// 1.0 by default; 0.0 turns every wait into a no-op.
void SetScale(double scale);
double Scale();

// The scaled time all waits asked for so far, for measurements.
double WaitedSeconds();

} // namespace InstrumentClock
