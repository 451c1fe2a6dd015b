#include "sim/a8960/Virtual8960Settings.h"

namespace {

using S = Virtual8960State;

const BandSetting kBandSettings[] = {
    {"CALL[:CELL]:BAND[:SELected]", &S::cellBand, false},
    {"CALL:TCHannel:BAND", &S::tchBand, false},
    {"CALL[:CELL]:RFGenerator:BAND", &S::generatorBand, true},
};

// The MS TX level is the traffic channel's: the band the target transmits in.
const PerBandSetting kPerBandSettings[] = {
    {"CALL[:CELL]:BCHannel[:ARFCn][:SELected|:<band>]", &S::bchArfcn, &S::cellBand, true, false},
    {"CALL:TCHannel[:ARFCn][:SELected|:<band>]", &S::tchArfcn, &S::tchBand, true, false},
    {"CALL:MS:TXLevel[:SELected|:<band>]", &S::msTxLevel, &S::tchBand, false, false},
    {"CALL[:CELL]:RFGenerator:CHANnel[:SELected|:<band>]", &S::generatorArfcn, &S::generatorBand,
     true, true},
};

const ScpiPlaceholder kBandPlaceholders[] = {
    {"<band>", [](const QByteArray& node) { return BandNamed(node).has_value(); }},
};

} // namespace

std::span<const BandSetting> BandSettings() {
    return kBandSettings;
}

std::span<const PerBandSetting> PerBandSettings() {
    return kPerBandSettings;
}

std::span<const ScpiPlaceholder> BandPlaceholders() {
    return kBandPlaceholders;
}
