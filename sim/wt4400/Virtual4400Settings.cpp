#include "sim/wt4400/Virtual4400Settings.h"

namespace {

const QList<QByteArray> kNetworkTypes = {"GSM9001800", "GSM9001900", "GSM850", "GSM900"};

const WordSetting kWordSettings[] = {
    {"CONFigure:GSM:TYPE", kNetworkTypes, &Virtual4400State::networkType},
    {"CONFigure:GPRS:TYPE", kNetworkTypes, &Virtual4400State::networkType},
    {"RFGenerator:MODulation", {"NO", "GMSK"}, &Virtual4400State::modulation},
    {"RFGenerator:STYPe", {"BURS", "CWAV"}, &Virtual4400State::signalType},
    {"RFGenerator:MODulation:BITPattern",
     {"PRBS9", "PRBS15", "PRBS23", "ALLZ", "ALLO", "ONEZ", "DOUB", "FOUR", "EIGH"},
     &Virtual4400State::bitPattern},
    {"RFGenerator:MODulation:TSEQuence:STATe",
     {"ON", "OFF"},
     &Virtual4400State::trainingSequenceState},
};

// GSM power control levels 0 to 31 (3GPP TS 45.005, 4.1.1); timeslots and training sequences
// 0 to 7.
const NumberSetting kNumberSettings[] = {
    {"RFGenerator:MODulation:TSEQuence", 0, 7, &Virtual4400State::trainingSequence},
    {"RFGenerator:BURSt:TSLot", 0, 7, &Virtual4400State::burstTimeslot},
    {"CONFigure:GSM:BS:TCH:ARFCn", 0, 1023, &Virtual4400State::tchArfcn},
    {"CONFigure:GSM:BS:TCH:TSLot", 0, 7, &Virtual4400State::tchTimeslot},
    {"CONFigure:GSM:BS:BCH:ARFCn", 0, 1023, &Virtual4400State::bchArfcn},
    {"CONFigure:GSM:MSTAtion:PLEVel", 0, 31, &Virtual4400State::msPowerLevel},
    {"CONFigure:GPRS:BS:TCH:ARFCn", 0, 1023, &Virtual4400State::gprsArfcn},
    {"CONFigure:GPRS:MSTAtion:PLEVel", 0, 31, &Virtual4400State::gprsPowerLevel},
};

const RealSetting kRealSettings[] = {
    {"RFGenerator:FREQuency", kMinHz, kMaxHz, &Virtual4400State::generatorHz, true},
    {"RFGenerator:LEVel", kMinLevelDbm, kMaxLevelDbm, &Virtual4400State::generatorDbm, true},
    {"RFANalyzer:FREQuency", kMinHz, kMaxHz, &Virtual4400State::analyzerHz, false},
    {"CONFigure:GSM:BS:LEVel", kMinLevelDbm, kMaxLevelDbm, &Virtual4400State::baseStationDbm,
     false},
};

} // namespace

std::span<const WordSetting> WordSettings() {
    return kWordSettings;
}

std::span<const NumberSetting> NumberSettings() {
    return kNumberSettings;
}

std::span<const RealSetting> RealSettings() {
    return kRealSettings;
}
