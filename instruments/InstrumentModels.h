#pragma once

#include "instruments/InstrumentCodes.h"

#include <QString>

#include <cstdint>

// The instrument models the station drives: the type code the configuration keeps, the name the
// operator chooses it by, and the address the station opens it at (a VISA alias may take the
// address elsewhere).
struct TestSetModel {
    std::int32_t type;
    const char* name;
    const char* resource;
};

inline constexpr TestSetModel kTestSetModels[] = {
    {kTestSet8960, "A8960 E5515B", "GPIB0::14::INSTR"},
    // The Willtek's driver parses board and primary address of this short form itself.
    {kTestSet4400, "W4400M", "GPIB0::4"},
};

struct SupplyModelName {
    std::int32_t type;
    const char* name;
};

// The first name of a type is the one a record gives it.
inline constexpr SupplyModelName kSupplyModels[] = {
    {kSupply66311B, "66311B"},
    {kSupply3631A, "3631A"},
    {kSupply3632A, "3632A"},
    {kSupply3632A, "3633A"},
};

// Every supply model sits at the same address.
inline constexpr const char* kSupplyResource = "GPIB::5::INSTR";

// The name of "no instrument" in the configuration.
inline constexpr const char* kNotUsedName = "NOT USED";

// The address of a test-set type; nullptr for none.
constexpr const char* TestSetAddress(std::int32_t type) {
    for (const TestSetModel& model : kTestSetModels) {
        if (model.type == type)
            return model.resource;
    }
    return nullptr;
}

// Whether the type is a test set the station drives; every other type opens nothing.
constexpr bool TestSetConfigured(std::int32_t type) {
    return TestSetAddress(type) != nullptr;
}

// The configuration's names and types both ways; a name that matches none gives "none", and
// "none" is named "NOT USED".
std::int32_t TestSetTypeFromText(const QString& text);
std::int32_t SupplyTypeFromText(const QString& text);
QString TestSetName(std::int32_t type);
QString SupplyName(std::int32_t type);
// The test set as the operator finds it on the bench: "A8960 E5515B at GPIB0::14::INSTR".
QString TestSetAndAddress(std::int32_t type);
