#include "autocal/CalibrationConfig.h"

#include "base/CNumbers.h"

#include <cmath>

namespace {
const QString kNot = QStringLiteral("NOT");
} // namespace

std::int32_t ChannelFromText(const QString& text) {
    return text == kNot ? 0 : LeadingInt(text);
}

double LossFromText(const QString& text) {
    if (text == kNot)
        return 0.0;
    // A loss beyond any number is none, as a box that holds no number.
    const double loss = LeadingReal(text);
    return std::isfinite(loss) ? loss : 0.0;
}

CalibrationConfig ConfigFromDialogTexts(const QStringList& texts) {
    const auto at = [&](int i) { return i < texts.size() ? texts[i] : QString(); };
    CalibrationConfig config;
    config.gsmBch = ChannelFromText(at(0));
    config.gsmTch = {ChannelFromText(at(1)), ChannelFromText(at(2)), ChannelFromText(at(3))};
    config.gsmLoss = {LossFromText(at(5)), LossFromText(at(4)), LossFromText(at(6))};
    config.dcsBch = ChannelFromText(at(7));
    config.dcsTch = {ChannelFromText(at(8)), ChannelFromText(at(9)), ChannelFromText(at(10))};
    config.dcsLoss = {LossFromText(at(12)), LossFromText(at(11)), LossFromText(at(13))};
    config.testSetType = TestSetTypeFromText(at(14));
    config.supplyType = SupplyTypeFromText(at(15));
    return config;
}

QStringList DefaultDialogTexts() {
    QStringList texts{"80",  "1",   "62",  "124", "-1.3", "-1.3", "-1.3",
                      "512", "512", "698", "885", "-1.8", "-1.8", "-1.8"};
    return texts << TestSetName(kTestSet4400) << SupplyName(kSupply3632A);
}

QStringList TestSetChoices() {
    return {TestSetName(kTestSet4400), TestSetName(kTestSet8960)};
}

QStringList SupplyChoices() {
    return {SupplyName(kSupply3632A), SupplyName(kSupply3631A)};
}

CalibrationConfig DefaultConfig() {
    return ConfigFromDialogTexts(DefaultDialogTexts());
}
