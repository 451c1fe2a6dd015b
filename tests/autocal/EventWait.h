#pragma once

#include <functional>

// Runs this thread's events until done holds or timeoutMs has passed; returns whether done holds.
// The default is long: a whole calibration run takes a few seconds under the sanitizers.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 60000);
