#pragma once

// Waits that keep the user-interface thread's events flowing, so that timers and received data
// are handled while a sequence waits.

// Handles every pending event without blocking. Returns 1, or 0 when the application is
// quitting (the quit stays requested for the outer loop).
int PumpMessages();

// Waits ms milliseconds while handling events; sleeps in the event loop instead of spinning.
// Returns early when the application is quitting.
void WaitPumping(int ms);
