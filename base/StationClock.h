#pragma once

// The station's time scale, and the fixed waits of the instrument drivers (settling after a reset,
// polling periods) on it. The waits block the caller, as the drivers block the thread that calls
// them; the calibration's delays and timers follow the same scale. Tests and the simulated bench
// scale it down so that a 2 s settling time costs nothing.
namespace StationClock {

// Blocks for seconds x the scale.
void Wait(double seconds);

// 1.0 by default; 0.0 turns every wait into a no-op.
void SetScale(double scale);
double Scale();

// The scaled time all waits asked for so far, for measurements.
double WaitedSeconds();

} // namespace StationClock
