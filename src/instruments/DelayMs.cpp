#include "DelayMs.h"

#include "InstrumentClock.h"

void DelayMs(int milliseconds) {
    InstrumentClock::Wait(milliseconds / 1000.0);
}
