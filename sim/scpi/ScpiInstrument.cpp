#include "sim/scpi/ScpiInstrument.h"

ScpiInstrument::~ScpiInstrument() = default;
