#include "sim/supply/SupplyLoad.h"

SupplyLoad::~SupplyLoad() = default;
