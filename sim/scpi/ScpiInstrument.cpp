#include "ScpiInstrument.h"

ScpiInstrument::~ScpiInstrument() = default;
