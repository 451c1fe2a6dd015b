#include "sim/supply/SupplyModels.h"

#include <cstddef>

namespace {

// Programming ranges, not the rated ones: a real unit takes a little more than its rating. The
// E3632A and E3633A stay in the low voltage range, the one *RST selects.
constexpr SupplyOutputRatings k66311BOutputs[] = {{nullptr, 15.535, 3.0712, 0.30712}};
constexpr SupplyOutputRatings kE3631AOutputs[] = {
    {"P6V", 6.18, 5.15, 5.0}, {"P25V", 25.75, 1.03, 1.0}, {"N25V", -25.75, 1.03, 1.0}};
constexpr SupplyOutputRatings kE3632AOutputs[] = {{nullptr, 15.45, 7.21, 7.0}};
constexpr SupplyOutputRatings kE3633AOutputs[] = {{nullptr, 8.24, 20.6, 20.0}};

// In the order of VirtualSupplyModel.
const SupplyModelRatings kModels[] = {
    {VirtualSupplyModel::k66311B, "66311B", "HEWLETT-PACKARD,66311B,US38444369,A.02.02",
     k66311BOutputs},
    {VirtualSupplyModel::kE3631A, "E3631A", "HEWLETT-PACKARD,E3631A,0,2.1-5.0-1.0", kE3631AOutputs},
    {VirtualSupplyModel::kE3632A, "E3632A", "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0", kE3632AOutputs},
    {VirtualSupplyModel::kE3633A, "E3633A", "HEWLETT-PACKARD,E3633A,0,1.7-5.0-1.0", kE3633AOutputs},
};

} // namespace

std::span<const SupplyModelRatings> SupplyModels() {
    return kModels;
}

const SupplyModelRatings& SupplyModelOf(VirtualSupplyModel model) {
    return kModels[static_cast<std::size_t>(model)];
}
