#include "sessions/PanelNumbers.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString LeadingNumber(const QString& text, const QRegularExpression& pattern) {
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

int ClampToInt(double value) {
    return static_cast<int>(std::clamp(value, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

} // namespace

int IntFromBox(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*([+-]?\\d+)"));
    // Read as a real so that a run of digits too long for any integer still keeps its sign.
    return ClampToInt(LeadingNumber(text, pattern).toDouble());
}

int TruncatedRealFromBox(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    // QString's conversion is the C locale's, whatever the station's locale is.
    const double value = LeadingNumber(text, pattern).toDouble();
    return ClampToInt(std::trunc(value));
}
