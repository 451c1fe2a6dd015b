#pragma once

// Blocks the caller for the given time without processing events, as the instrument and
// calibration steps expect; it sleeps rather than spinning, and follows StationClock's scale.
void DelayMs(int milliseconds);
