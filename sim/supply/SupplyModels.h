#pragma once

#include <span>

enum class VirtualSupplyModel { k66311B, kE3631A, kE3632A, kE3633A };

// One output: its name for INSTrument:SELect (none on a single-output model), the end of its
// voltage range away from 0 V (negative for the -25 V output), its highest current limit and the
// limit *RST sets.
struct SupplyOutputRatings {
    const char* name;
    double voltsLimit;
    double ampsLimit;
    double resetAmps;
};

struct SupplyModelRatings {
    VirtualSupplyModel model;
    const char* name;     // "E3632A"
    const char* identity; // the *IDN? reply
    // The first output is the one that powers the target.
    std::span<const SupplyOutputRatings> outputs;
};

std::span<const SupplyModelRatings> SupplyModels();
const SupplyModelRatings& SupplyModelOf(VirtualSupplyModel model);
