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

std::int32_t TestSetTypeFromText(const QString& text) {
    if (text == QLatin1String("A8960 E5515B"))
        return kTestSet8960;
    if (text == QLatin1String("W4400M"))
        return kTestSet4400;
    return kTestSetNone;
}

std::int32_t SupplyTypeFromText(const QString& text) {
    if (text == QLatin1String("66311B"))
        return kSupply66311B;
    if (text == QLatin1String("3631A"))
        return kSupply3631A;
    if (text == QLatin1String("3632A") || text == QLatin1String("3633A"))
        return kSupply3632A;
    return kSupplyNone;
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
    return {"80",  "1",   "62",  "124",  "-1.3", "-1.3", "-1.3",   "512",
            "512", "698", "885", "-1.8", "-1.8", "-1.8", "W4400M", "3632A"};
}

CalibrationConfig DefaultConfig() {
    return ConfigFromDialogTexts(DefaultDialogTexts());
}
