#pragma once

#include "RadioInstrumentTest.h"
#include "Virtual8960.h"

using Virtual8960Test = RadioInstrumentTest<Virtual8960>;
