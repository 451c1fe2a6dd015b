#include "base/CNumbers.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString LeadingMatch(const QString& text, const QRegularExpression& pattern) {
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

int ClampToInt(double value) {
    return static_cast<int>(std::clamp(value, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

} // namespace

int LeadingInt(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QString digits = LeadingMatch(text, pattern);
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok)
        return digits.startsWith(QLatin1Char('-')) ? std::numeric_limits<int>::min()
                                                   : std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp<qlonglong>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

double LeadingReal(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    // QString's conversion gives the infinity on overflow and 0 on underflow, as strtod does.
    return LeadingMatch(text, pattern).toDouble();
}

int TruncatedLeadingReal(const QString& text) {
    return ClampToInt(std::trunc(LeadingReal(text)));
}
