#include "sim/supply/VirtualSupply.h"
#include "tests/sim/supply/FakeLoad.h"
#include "tests/sim/support/VirtualInstrumentTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class VirtualSupplyTest : public VirtualInstrumentTest {
protected:
    ScpiInstrument& Instrument() override { return *supply; }
    void Make(VirtualSupplyModel model) { supply = std::make_unique<VirtualSupply>(model, load); }
    double Number(const QByteArray& query) { return Send(query).toDouble(); }

    FakeLoad load;
    std::unique_ptr<VirtualSupply> supply;
};

// Each model's ranges and the current limit of its reset; the lines the station's driver sends
// to each are the supply operations' tests (SupplyControl) against these models.
struct Ratings {
    VirtualSupplyModel model;
    double maxVolts;
    double maxAmps;
    double resetAmps;
};

const Ratings kModels[] = {{VirtualSupplyModel::k66311B, 15.535, 3.0712, 0.30712},
                           {VirtualSupplyModel::kE3631A, 6.18, 5.15, 5.0},
                           {VirtualSupplyModel::kE3632A, 15.45, 7.21, 7.0},
                           {VirtualSupplyModel::kE3633A, 8.24, 20.6, 20.0}};

} // namespace

TEST_F(VirtualSupplyTest, onlyTheTripleSupplySelectsOutputsOrNamesOneToMeasure) {
    for (const Ratings& ratings : kModels) {
        SCOPED_TRACE(VirtualSupply::ModelName(ratings.model));
        Make(ratings.model);
        Send("INST:NSEL 1");
        Send("INST P6V");
        Send("MEAS:CURR? P6V");
        const QList<QByteArray> errors = Errors();
        if (ratings.model == VirtualSupplyModel::kE3631A) {
            EXPECT_TRUE(errors.isEmpty());
            continue;
        }
        // Hence a station with a 66311B measures with the plain query.
        EXPECT_EQ(errors,
                  (QList<QByteArray>{"-113,\"Undefined header\"", "-113,\"Undefined header\"",
                                     "-108,\"Parameter not allowed\""}));
    }
}

TEST_F(VirtualSupplyTest, beforeAnyCommandTheSupplyIsOnAtTheBenchsIdlePoint) {
    Make(VirtualSupplyModel::kE3632A);
    EXPECT_TRUE(load.on);
    EXPECT_EQ(load.volts, 4.18);
    EXPECT_EQ(Send("OUTP?;VOLT?;CURR?"), "1;+4.18000000E+00;+3.00000000E+00");
    Send("*RST");
    EXPECT_FALSE(load.on);
    EXPECT_EQ(load.volts, 0.0);
    EXPECT_EQ(Number("MEAS:VOLT?"), 0.0);
}

TEST_F(VirtualSupplyTest, onTheTripleSupplyOnlyThe6VOutputReachesTheLoad) {
    Make(VirtualSupplyModel::kE3631A);
    Send("OUTP ON;:INST:NSEL 1;:VOLT 3.8");
    Send("INST P25V;:VOLT 12;:CURR 0.5");
    EXPECT_EQ(load.volts, 3.8);
    EXPECT_EQ(Send("INST?;:INST:NSEL?"), "P25V;2");
    load.drawA = 0.3;
    EXPECT_EQ(Number("MEAS:CURR?"), 0.0); // the selected +25V output: nothing on it
    EXPECT_EQ(Number("MEAS:CURR? P25V"), 0.0);
    EXPECT_EQ(Number("MEAS:CURR? p6v"), 0.3);
    EXPECT_EQ(Number("MEAS:VOLT? P25V"), 12.0);
    EXPECT_EQ(Number("MEAS:VOLT? P6V"), 3.8);
    Send("INST:SEL N25V;:VOLT -5");
    Send("VOLT 5");
    Send("INST:NSEL 4");
    Send("INST P5V");
    EXPECT_EQ(Send("INST:NSEL?;:VOLT?"), "3;-5.00000000E+00");
    EXPECT_EQ(Errors(),
              (QList<QByteArray>{"-222,\"Data out of range\"", "-222,\"Data out of range\"",
                                 "-224,\"Illegal parameter value\""}));
}

// A header goes on from the path the one before it left (IEEE 488.2, 7.6.1): after INST:NSEL a
// plain VOLT is INST:VOLT, which no supply has.
TEST_F(VirtualSupplyTest, aSecondHeaderOnALineContinuesFromTheFirstOnesPath) {
    Make(VirtualSupplyModel::kE3631A);
    Send("INST:NSEL 1;VOLT 3.7");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"-113,\"Undefined header\""}));
    EXPECT_EQ(load.volts, 4.18);
    Send("INST:NSEL 1;:VOLT 3.7");
    EXPECT_EQ(load.volts, 3.7);
    Send("VOLT 3.6;CURR 2;:OUTP OFF"); // VOLT and CURR share the root
    EXPECT_FALSE(load.on);
    EXPECT_EQ(Send("VOLT?;CURR?"), "+3.60000000E+00;+2.00000000E+00");
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(VirtualSupplyTest, levelsBeyondTheModelsRangeAreRefusedMinMaxReachItsEndsAndResetItsOwn) {
    for (const Ratings& range : kModels) {
        SCOPED_TRACE(VirtualSupply::ModelName(range.model));
        Make(range.model);
        Send("VOLT " + QByteArray::number(range.maxVolts + 0.01));
        Send("VOLT -0.1");
        Send("CURR " + QByteArray::number(range.maxAmps + 0.01));
        EXPECT_EQ(Errors(), (QList<QByteArray>(3, QByteArray("-222,\"Data out of range\""))));
        EXPECT_EQ(load.volts, 4.18);
        Send("VOLT MAX;CURR MAXIMUM");
        EXPECT_EQ(Number("VOLT?"), range.maxVolts);
        EXPECT_EQ(Number("CURR?"), range.maxAmps);
        Send("VOLT MIN");
        EXPECT_EQ(load.volts, 0.0);
        Send("*RST");
        EXPECT_EQ(Send("OUTP?;VOLT?;CURR?"),
                  "0;+0.00000000E+00;" + QByteArray::number(range.resetAmps, 'E', 8).prepend('+'));
    }
}

TEST_F(VirtualSupplyTest, theCurrentReadIsTheDrawClippedAtTheLimitAndNothingWhenOff) {
    Make(VirtualSupplyModel::k66311B);
    load.drawA = 0.5;
    Send("VOLT 4;CURR 0.2;OUTP ON");
    EXPECT_EQ(Number("MEAS:CURR?"), 0.2);
    Send("CURR 1");
    EXPECT_EQ(Number("MEAS:CURR?"), 0.5);
    EXPECT_EQ(Number("MEAS:VOLT?"), 4.0);
    Send("OUTP 0");
    EXPECT_FALSE(load.on);
    EXPECT_EQ(Send("MEAS:CURR?;:MEAS:VOLT?"), "+0.00000000E+00;+0.00000000E+00");
    Send("OUTP 1");
    EXPECT_TRUE(load.on);
    EXPECT_EQ(load.volts, 4.0);
}

TEST_F(VirtualSupplyTest, longFormsAndOptionalNodesAreAccepted) {
    Make(VirtualSupplyModel::kE3632A);
    Send("source:voltage:level:immediate:amplitude 3.9");
    Send(":SOUR:CURR:AMPL 1.5;:OUTPUT:STATE OFF");
    EXPECT_EQ(Send("VOLTAGE:LEV?;:CURR:LEV:IMM?;:OUTP:STAT?"), "+3.90000000E+00;+1.50000000E+00;0");
    Send("OUTP ON");
    EXPECT_EQ(Send("MEAS?;:MEASURE:VOLTAGE:DC?;:MEAS:CURR:DC?"),
              "+3.90000000E+00;+3.90000000E+00;+2.00000000E-01");
    EXPECT_EQ(Send("SYSTEM:ERROR:NEXT?"), "0,\"No error\"");
}

// How a line runs and ends on an error is the shared parser's (DialTest); here the supplies' own
// values and the command they lack.
TEST_F(VirtualSupplyTest, valuesOfTheWrongTypeOrParametersTheyLackAreRefused) {
    Make(VirtualSupplyModel::kE3632A);
    for (const char* line : {"VOLT abc", "VOLT? MAX", "OUTP MAYBE", "APPL 3,1"})
        Send(line);
    EXPECT_EQ(Errors(),
              (QList<QByteArray>{"-104,\"Data type error\"", "-108,\"Parameter not allowed\"",
                                 "-224,\"Illegal parameter value\"", "-113,\"Undefined header\""}));
}
