#include "sim/model/UnitModel.h"
#include "sim/supply/VirtualSupply.h"
#include "tests/instruments/InstrumentRig.h"

#include <QTest>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::Gt;
using testing::IsSupersetOf;
using testing::Lt;
using testing::Optional;

// The supply operations against each virtual supply model.

namespace {

class SupplyControl : public InstrumentRig {
protected:
    void StartWith(VirtualSupplyModel model, std::int32_t supplyType) {
        BenchOptions options;
        options.instruments.supply = model;
        StartBench(options);
        ChooseSupply(supplyType);
    }

    double UnitVolts() {
        double volts = 0.0;
        bench->Instruments().RunSupply(
            [&](VirtualSupply&) { volts = bench->Unit().SupplyVoltage(); });
        return volts;
    }
};

} // namespace

TEST_F(SupplyControl, withoutASupplyNothingIsProgrammed) {
    StartBench();
    EXPECT_TRUE(supply->InitSupply());
    EXPECT_EQ(supply->SetSupplyOutput(3.8, 3.0), 0);
    supply->SetSupply4V18();
    supply->CloseSupply();
    EXPECT_TRUE(LinesSupply().isEmpty());
    EXPECT_EQ(cal.instrumentFault, 0);
}

TEST_F(SupplyControl, an3633AIsProgrammedAsAn3632ATo3V8AsSoonAsItIsOpened) {
    StartWith(VirtualSupplyModel::kE3633A, kSupply3632A);
    EXPECT_TRUE(supply->InitSupply());
    EXPECT_THAT(LinesSupply(),
                ElementsAre("*IDN?", "*RST", "*CLS", "VOLT 3.8", "CURR 3", "OUTP ON"));
    EXPECT_DOUBLE_EQ(UnitVolts(), 3.8);
    EXPECT_EQ(cal.instrumentFault, 0);
}

TEST_F(SupplyControl, aFailedSetVoltageOnAn3631AStillProgramsTheLimitAndSwitchesOn) {
    StartWith(VirtualSupplyModel::kE3631A, kSupply3631A);
    ASSERT_TRUE(supply->InitSupply());
    EXPECT_EQ(cal.instrumentFault, 0); // opening programmed it without a fault
    ForgetLines();
    bench->Instruments().RunSupply(
        [](VirtualSupply& virtualSupply) { virtualSupply.FailNextCommand(); });
    supply->SetSupply4V18();
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_THAT(LinesSupply(),
                ElementsAre("INST:NSEL 1;:VOLT 4.18", "INST:NSEL 1;:CURR 3", "OUTP ON"));
    EXPECT_NE(supply->Session(), 0u); // supply errors never close it
}

TEST_F(SupplyControl, a66311BAndAn3631APowerTheUnitAsSoonAsTheyAreOpened) {
    const struct {
        VirtualSupplyModel model;
        std::int32_t type;
    } supplies[] = {{VirtualSupplyModel::k66311B, kSupply66311B},
                    {VirtualSupplyModel::kE3631A, kSupply3631A}};
    for (const auto& [model, type] : supplies) {
        StartWith(model, type); // the supply's reset leaves its output off
        ASSERT_TRUE(supply->InitSupply()) << type;
        EXPECT_DOUBLE_EQ(UnitVolts(), 3.8) << type;
        // What the detection poll needs: the unit draws current.
        EXPECT_THAT(supply->ReadSupplyCurrent(), Optional(Gt(0.075))) << type;
        EXPECT_EQ(cal.instrumentFault, 0) << type;
        supply->CloseSupply();
    }
}

TEST_F(SupplyControl, a66311BReadsTheTargetsCurrentWithItsOwnMeasurement) {
    StartWith(VirtualSupplyModel::k66311B, kSupply66311B);
    ASSERT_TRUE(supply->InitSupply());
    supply->SetSupply4V18();
    EXPECT_THAT(supply->ReadSupplyCurrent(), Optional(Gt(0.075)));
    EXPECT_THAT(LinesSupply(), IsSupersetOf({"VOLT 4.18;CURR 3;OUTP ON", "MEAS:CURR?"}));
    EXPECT_EQ(cal.instrumentFault, 0);
    bench->Remove();
    EXPECT_THAT(supply->ReadSupplyCurrent(), Optional(Lt(0.025)));
}

TEST_F(SupplyControl, openingAgainClosesTheOpenSessionFirst) {
    StartWith(VirtualSupplyModel::kE3632A, kSupply3632A);
    ASSERT_TRUE(supply->InitSupply());
    ASSERT_TRUE(supply->InitSupply());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return bench->Instruments().ConnectionsSupply() == 1; }, 2000));
    EXPECT_THAT(supply->ReadSupplyCurrent(), Optional(Gt(0.075)));
}

TEST_F(SupplyControl, aSupplyThatIsNotThereFailsTheCheckAndReadsNoCurrent) {
    StartWith(VirtualSupplyModel::kE3632A, kSupply66311B); // the wrong model on the bench
    EXPECT_FALSE(supply->InitSupply());
    EXPECT_EQ(cal.instrumentFault, 1);
    EXPECT_EQ(supply->Session(), 0u);
    EXPECT_EQ(supply->ReadSupplyCurrent(), std::nullopt);
}
