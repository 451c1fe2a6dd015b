#include "sim/supply/VirtualSupply.h"

#include <gtest/gtest.h>

#include <utility>

TEST(SupplyModelNames, parseCaseInsensitivelyWithOrWithoutTheLeadingE) {
    const std::pair<const char*, VirtualSupplyModel> names[] = {
        {"66311B", VirtualSupplyModel::k66311B}, {"66311b", VirtualSupplyModel::k66311B},
        {"E3631A", VirtualSupplyModel::kE3631A}, {"e3632a", VirtualSupplyModel::kE3632A},
        {"3633A", VirtualSupplyModel::kE3633A},  {" E3633A ", VirtualSupplyModel::kE3633A},
    };
    for (const auto& [name, expected] : names) {
        VirtualSupplyModel model = VirtualSupplyModel::k66311B;
        EXPECT_TRUE(VirtualSupply::ParseModel(QString::fromLatin1(name), &model)) << name;
        EXPECT_EQ(model, expected) << name;
    }
    for (const char* name : {"E3634A", "", "E66311B", "6631", "E3632"}) {
        VirtualSupplyModel model = VirtualSupplyModel::kE3632A;
        EXPECT_FALSE(VirtualSupply::ParseModel(QString::fromLatin1(name), &model)) << name;
    }
}

TEST(SupplyModelNames, eachNameParsesBackToItsModel) {
    for (VirtualSupplyModel model : {VirtualSupplyModel::k66311B, VirtualSupplyModel::kE3631A,
                                     VirtualSupplyModel::kE3632A, VirtualSupplyModel::kE3633A}) {
        VirtualSupplyModel parsed = model == VirtualSupplyModel::k66311B
                                        ? VirtualSupplyModel::kE3633A
                                        : VirtualSupplyModel::k66311B;
        EXPECT_TRUE(VirtualSupply::ParseModel(QString::fromLatin1(VirtualSupply::ModelName(model)),
                                              &parsed));
        EXPECT_EQ(parsed, model);
    }
}
