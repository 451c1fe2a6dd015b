#include "SupplyLoad.h"

SupplyLoad::~SupplyLoad() = default;
