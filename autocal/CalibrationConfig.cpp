#include "autocal/CalibrationConfig.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

const QString kNot = QStringLiteral("NOT");

// The number that starts text, as the C library's conversions read it: leading blanks, a sign,
// then as much as fits.
QString LeadingMatch(const QString& text, const QRegularExpression& pattern) {
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

std::int32_t ChannelFromText(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*([+-]?\\d+)"));
    if (text == kNot)
        return 0;
    const QString digits = LeadingMatch(text, pattern);
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    // Beyond any channel: the sign says which end of the range it stands for.
    const qlonglong bounded =
        ok ? value
           : (digits.startsWith(QLatin1Char('-')) ? std::numeric_limits<qlonglong>::min()
                                                  : std::numeric_limits<qlonglong>::max());
    return static_cast<std::int32_t>(
        std::clamp<qlonglong>(bounded, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max()));
}

double LossFromText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    if (text == kNot)
        return 0.0;
    // QString's conversion is the C locale's whatever the station's locale is.
    bool ok = false;
    const double value = LeadingMatch(text, pattern).toDouble(&ok);
    return ok ? value : 0.0;
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
