#pragma once

#include "sim/a8960/Virtual8960.h"
#include "tests/sim/support/RadioInstrumentTest.h"

using Virtual8960Test = RadioInstrumentTest<Virtual8960>;
