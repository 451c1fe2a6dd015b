#include "sim/scpi/ScpiHeader.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

ScpiUnit UnitOf(const QByteArray& text) {
    int error = 0;
    const QList<ScpiUnit> units = SplitProgramMessage(text, &error);
    EXPECT_EQ(error, 0) << text.constData();
    return units.value(0);
}

void ExpectMatches(const ScpiHeader& header, std::initializer_list<const char*> yes,
                   std::initializer_list<const char*> no) {
    for (const char* text : yes)
        EXPECT_TRUE(header.Matches(UnitOf(text))) << text;
    for (const char* text : no)
        EXPECT_FALSE(header.Matches(UnitOf(text))) << text;
}

bool IsBandName(const QByteArray& node) {
    return node == "EGSM" || node == "DCS";
}

const ScpiPlaceholder kBand[] = {{"<band>", &IsBandName}};

struct Setting {
    const char* pattern;
    int id;
};

} // namespace

TEST(ScpiHeaderTest, optionalNodesMayBeLeftOutWhereverTheyStandButNotReordered) {
    ExpectMatches(
        "[SOURce:]VOLTage[:LEVel][:IMMediate][:AMPLitude]",
        {"VOLT 3.8", "SOUR:VOLT?", "source:voltage:level:imm:ampl 1", "VOLT:AMPL 2",
         ":VOLTAGE:IMMEDIATE 1"},
        {"SOUR", "VOLT:AMPL:IMM 1", "VOLT:LEV:LEV 1", "SOUR:SOUR:VOLT 1", "VOLTA 1", "CURR 1"});
    ExpectMatches("SYSTem:ERRor[:NEXT]", {"SYST:ERR?", "SYSTEM:ERROR:NEXT?"},
                  {"SYST?", "SYST:ERR:NEXT:NEXT?", "SYST:NEXT?"});
}

TEST(ScpiHeaderTest, alternativesStandInsideAndOutsideBrackets) {
    ExpectMatches("INITiate:TXPower|PFERror[:ON|:OFF]",
                  {"INIT:TXP", "INITIATE:PFERROR:OFF", "INIT:TXP:ON"},
                  {"INIT", "INIT:ON", "INIT:TXP:PFER", "INIT:TXP:ON:OFF"});
    ExpectMatches("SETup[:ALL]:CONTinuous:ON|OFF", {"SET:CONT:OFF", "SETUP:ALL:CONTINUOUS:ON"},
                  {"SET:CONT", "SET:ALL:ON"});
}

TEST(ScpiHeaderTest, aPlaceholderTakesWhatItsTestAcceptsAndWithoutOneNothing) {
    const char* pattern = "CALL:TCHannel[:ARFCn][:SELected|:<band>]";
    ExpectMatches(ScpiHeader(pattern, kBand),
                  {"CALL:TCH 62", "CALL:TCH:EGSM 62", "CALL:TCH:ARFC:DCS 600", "CALL:TCH:SEL?"},
                  {"CALL:TCH:PCS 600", "CALL:TCH:EGSM:DCS 1", "CALL:TCH:BAND 1"});
    ExpectMatches(pattern, {"CALL:TCH:SEL 62"}, {"CALL:TCH:EGSM 62"});
}

TEST(ScpiHeaderTest, commonCommandsAndPathsNeverMatchEachOther) {
    ExpectMatches("*IDN", {"*IDN?", "*idn?"}, {"*RST", "IDN?"});
    // A pattern of optional nodes alone would otherwise take the empty path of a common command.
    ExpectMatches("[:NEXT]", {"NEXT?"}, {"*IDN?"});
}

TEST(ScpiHeaderTest, findSettingTakesTheFirstSettingWhoseHeaderMatches) {
    const Setting settings[] = {{"CALL:TCHannel:BAND", 1},
                                {"CALL:TCHannel[:ARFCn][:SELected|:<band>]", 2},
                                {"CALL:TCHannel[:ARFCn]", 3}};
    const std::span<const Setting> table = settings;
    EXPECT_EQ(FindSetting(UnitOf("CALL:TCH:BAND?"), table, kBand)->id, 1);
    EXPECT_EQ(FindSetting(UnitOf("CALL:TCH:ARFC 3"), table, kBand)->id, 2);
    EXPECT_EQ(FindSetting(UnitOf("CALL:TCH:EGSM 3"), table, kBand)->id, 2);
    EXPECT_EQ(FindSetting(UnitOf("CALL:TCH:EGSM 3"), table), nullptr);
    EXPECT_EQ(FindSetting(UnitOf("CALL:BAND?"), table, kBand), nullptr);
}
