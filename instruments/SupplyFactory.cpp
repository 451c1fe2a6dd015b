#include "instruments/NoSupply.h"
#include "instruments/Supply.h"
#include "instruments/Supply66311B.h"
#include "instruments/SupplyE363x.h"

std::unique_ptr<Supply> MakeSupply(std::int32_t type, InstrumentContext& context) {
    switch (type) {
    case kSupply66311B:
        return std::make_unique<Supply66311B>(context);
    case kSupply3631A:
        return std::make_unique<SupplyE363x>(context, SupplyModel::kE3631A);
    case kSupply3632A:
        return std::make_unique<SupplyE363x>(context, SupplyModel::kE3632A);
    default:
        return std::make_unique<NoSupply>(context);
    }
}
