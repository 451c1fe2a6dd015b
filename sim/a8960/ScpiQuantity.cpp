#include "ScpiQuantity.h"

#include "ScpiMessage.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace {

struct Suffix {
    Unit unit;
    const char* name;
    double scale;
};

const Suffix kSuffixes[] = {
    {Unit::Hertz, "HZ", 1.0},  {Unit::Hertz, "KHZ", 1e3},  {Unit::Hertz, "MHZ", 1e6},
    {Unit::Hertz, "GHZ", 1e9}, {Unit::Decibel, "DB", 1.0}, {Unit::DecibelMilliwatt, "DBM", 1.0},
    {Unit::Second, "S", 1.0},  {Unit::Second, "MS", 1e-3},
};

bool ScaleOf(const QByteArray& suffix, Unit unit, double* scale) {
    if (suffix.isEmpty()) {
        *scale = 1.0;
        return true;
    }
    for (const Suffix& known : kSuffixes) {
        if (known.unit == unit && suffix == known.name) {
            *scale = known.scale;
            return true;
        }
    }
    return false;
}

} // namespace

bool ParseQuantity(const QByteArray& text, Unit unit, double* value) {
    qsizetype end = text.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(text[end - 1])))
        --end;
    double scale = 1.0;
    double number = 0.0;
    if (!ScaleOf(text.mid(end).toUpper(), unit, &scale) ||
        !ParseNumber(text.left(end).trimmed(), &number))
        return false;
    *value = number * scale;
    return true;
}

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
