#include "instruments/DelayMs.h"

#include "base/StationClock.h"

void DelayMs(int milliseconds) {
    StationClock::Wait(milliseconds / 1000.0);
}
