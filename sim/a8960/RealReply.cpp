#include "sim/a8960/RealReply.h"

#include <charconv>
#include <cstdlib>

QByteArray Nr3(double value) {
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 8);
    const QByteArray text(digits, written.ptr - digits); // "-1.23456000e+01"
    const qsizetype e = text.indexOf('e');
    const int exponent = std::atoi(text.constData() + e + 1);
    return (value < 0.0 ? "" : "+") + text.left(e) + 'E' + (exponent < 0 ? '-' : '+') +
           QByteArray::number(std::abs(exponent)).rightJustified(3, '0');
}
