#include "sim/model/UnitModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

// The TX APC calibration's search, run straight on the model: level by level from the top,
// the DAC derived from the previous level by a fixed step, searched only at reference levels.

namespace {

struct Level {
    int level;
    double targetDbm;
    double tolerance;
    int step; // subtracted from the previous level's DAC; the start DAC at the first level
    int halfWidth;
    bool reference;
};

const std::vector<Level> kGsmLevels = {
    {5, 31.9, 0.15, 600, 50, true}, {6, 31.0, 0.3, 8, 50, false},   {7, 29.0, 0.3, 23, 50, false},
    {8, 27.0, 0.3, 23, 50, false},  {9, 25.0, 0.3, 23, 50, true},   {10, 23.0, 0.3, 20, 50, false},
    {11, 21.0, 0.3, 20, 50, false}, {12, 19.0, 0.3, 17, 50, false}, {13, 17.0, 0.3, 17, 50, true},
    {14, 15.0, 0.3, 11, 50, false}, {15, 13.0, 0.3, 10, 50, false}, {16, 11.0, 0.5, 12, 50, true},
    {17, 9.0, 0.5, 10, 50, false},  {18, 7.0, 0.5, 15, 30, true},   {19, 5.0, 0.5, 15, 30, false},
};

const std::vector<Level> kDcsLevels = {
    {100, 29.0, 0.15, 605, 50, true}, {101, 28.0, 0.3, 14, 50, false},
    {102, 26.0, 0.3, 20, 50, false},  {103, 24.0, 0.3, 23, 50, false},
    {104, 22.0, 0.3, 23, 50, false},  {105, 20.0, 0.3, 23, 50, true},
    {106, 18.0, 0.3, 20, 50, false},  {107, 16.0, 0.3, 22, 50, false},
    {108, 14.0, 0.3, 19, 50, false},  {109, 12.0, 0.3, 19, 50, true},
    {110, 10.0, 0.3, 15, 50, false},  {111, 8.0, 0.3, 15, 50, false},
    {112, 6.0, 0.3, 12, 50, true},    {113, 4.0, 0.3, 12, 30, false},
    {114, 2.3, 0.5, 8, 30, true},     {115, 0.5, 0.5, 8, 15, false},
};

struct Walk {
    bool failed = false;
    int maxSteps = 0;          // search steps at the worst reference level
    double worstErrorDb = 0.0; // largest |target - power| over all levels at their DACs
};

double PowerAt(UnitModel& unit, int channel, int dac) {
    RadioSetting radio;
    radio.txChannel = channel;
    radio.apcDac = dac;
    radio.transmitting = true;
    unit.SetRadio(radio);
    return unit.TransmittedPowerDbm();
}

// One reference level's binary search; the number of steps, none when it gives up.
std::optional<int> Search(UnitModel& unit, int channel, const Level& row, int levelDivisor,
                          int& dac) {
    int high = dac + row.halfWidth;
    int low = dac - row.halfWidth;
    for (int steps = 0;;) {
        const double error = row.targetDbm - PowerAt(unit, channel, dac);
        int direction = 0;
        if (error >= row.tolerance) {
            low = dac;
            direction = 6;
        } else if (error <= -row.tolerance) {
            high = dac;
            direction = 5;
        } else {
            return steps;
        }
        dac = (high + low) / 2;
        if (++steps > 30)
            return std::nullopt;
        if (high - low <= 1 && direction == 5)
            low = std::max(dac - 500 / levelDivisor, 100);
        if (high - low <= 1 && direction == 6)
            high = std::min(dac + 500 / levelDivisor, 800);
    }
}

Walk WalkBand(UnitModel& unit, int channel, const std::vector<Level>& table, int divisorOffset) {
    Walk walk;
    int dac = 0;
    for (const Level& row : table) {
        dac = &row == &table.front() ? row.step : dac - row.step;
        if (row.reference) {
            const std::optional<int> steps =
                Search(unit, channel, row, row.level - divisorOffset, dac);
            if (!steps) {
                walk.failed = true;
                return walk;
            }
            walk.maxSteps = std::max(walk.maxSteps, *steps);
        }
        walk.worstErrorDb =
            std::max(walk.worstErrorDb, std::abs(row.targetDbm - PowerAt(unit, channel, dac)));
    }
    return walk;
}

} // namespace

TEST(UnitTransmitter, calibrationSearchConvergesInFewStepsOnEverySubBand) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        UnitModel unit({seed});
        for (int channel : {1, 62, 124}) {
            const Walk walk = WalkBand(unit, channel, kGsmLevels, 0);
            ASSERT_FALSE(walk.failed) << "seed " << seed << " channel " << channel;
            EXPECT_LE(walk.maxSteps, 6) << "seed " << seed << " channel " << channel;
            EXPECT_LT(walk.worstErrorDb, 1.0) << "seed " << seed << " channel " << channel;
        }
        for (int channel : {512, 698, 885}) {
            const Walk walk = WalkBand(unit, channel, kDcsLevels, 90);
            ASSERT_FALSE(walk.failed) << "seed " << seed << " channel " << channel;
            EXPECT_LE(walk.maxSteps, 6) << "seed " << seed << " channel " << channel;
            EXPECT_LT(walk.worstErrorDb, 1.0) << "seed " << seed << " channel " << channel;
        }
    }
}

TEST(UnitTransmitter, weakUnitFailsTheTopLevelOfBothBands) {
    UnitModel unit({7, UnitFlaw::kWeakTransmitter});
    EXPECT_TRUE(WalkBand(unit, 62, kGsmLevels, 0).failed);
    EXPECT_TRUE(WalkBand(unit, 698, kDcsLevels, 90).failed);
}

TEST(UnitTransmitter, unitsDifferAndTheSameSeedGivesTheSameUnit) {
    UnitModel a({3});
    UnitModel again({3});
    UnitModel b({4});
    int dacA = 600;
    int dacAgain = 600;
    int dacB = 600;
    ASSERT_TRUE(Search(a, 62, kGsmLevels[0], 5, dacA));
    ASSERT_TRUE(Search(again, 62, kGsmLevels[0], 5, dacAgain));
    ASSERT_TRUE(Search(b, 62, kGsmLevels[0], 5, dacB));
    EXPECT_EQ(dacA, dacAgain);
    EXPECT_NE(dacA, dacB);
}

TEST(UnitTransmitter, powerRisesWithTheDacAndOnlyWhileTransmitting) {
    UnitModel unit;
    double previous = PowerAt(unit, 62, 0);
    for (int dac = 10; dac <= 1023; dac += 10) {
        const double power = PowerAt(unit, 62, dac);
        EXPECT_GE(power, previous) << dac;
        previous = power;
    }
    EXPECT_LT(previous, 36.0); // saturated, not running away
    EXPECT_DOUBLE_EQ(unit.TransmitFrequencyHz(), 902.4e6);

    RadioSetting off = unit.Radio();
    off.transmitting = false;
    unit.SetRadio(off);
    EXPECT_EQ(unit.TransmittedPowerDbm(), UnitModel::kNotTransmittingDbm);
    EXPECT_EQ(unit.TransmitFrequencyHz(), 0.0);
}
