#include "drivers/age1960/Age1960Text.h"

#include "visa/DriverText.h"

#include <algorithm>
#include <cmath>

namespace age1960 {

namespace {

// SCPI-99 7.2.1: 9.9E37 stands for infinity and 9.91E37 for "not a number".
constexpr double kNoValueThreshold = 9.9e37;

bool IsNoValue(double value) {
    return std::isnan(value) || std::fabs(value) >= kNoValueThreshold;
}

} // namespace

QByteArray Fill(const char* pattern, const QByteArray& first, const QByteArray& second) {
    QByteArray line(pattern);
    line.replace("%1", first);
    return line.replace("%2", second);
}

QByteArray FirstField(const QByteArray& reply) {
    const auto separator =
        std::find_if(reply.begin(), reply.end(), [](char c) { return c == ';' || c == ','; });
    return reply.left(separator - reply.begin());
}

ViStatus ParseResult(const QByteArray& field, double* value) {
    double parsed = 0.0;
    if (!DriverText::ParseReal(field, &parsed))
        return VI_ERROR_INV_RESPONSE;
    if (IsNoValue(parsed))
        return AGE1960_ERROR_NO_VALUE;
    *value = parsed;
    return VI_SUCCESS;
}

} // namespace age1960
