#include "Age1960Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace age1960 {

namespace {

// SCPI-99 7.2.1: 9.9E37 stands for infinity and 9.91E37 for "not a number".
constexpr double kNoValueThreshold = 9.9e37;

} // namespace

QByteArray ScpiNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QByteArray(text, result.ptr - text);
}

QByteArray Fill(const char* pattern, const QByteArray& first, const QByteArray& second) {
    QByteArray line(pattern);
    line.replace("%1", first);
    return line.replace("%2", second);
}

bool ParseReal(const QByteArray& field, double* value) {
    QByteArray text = field.trimmed();
    // from_chars takes no plus sign, which the instrument's NR3 results always carry.
    if (text.startsWith('+')) {
        text.remove(0, 1);
        if (text.startsWith('-'))
            return false;
    }
    const char* end = text.constData() + text.size();
    double parsed = 0.0;
    const auto result = std::from_chars(text.constData(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    *value = parsed;
    return true;
}

bool ParseInteger(const QByteArray& field, ViInt32* value) {
    double parsed = 0.0;
    if (!ParseReal(field, &parsed) || parsed != std::trunc(parsed) ||
        parsed < std::numeric_limits<ViInt32>::min() ||
        parsed > std::numeric_limits<ViInt32>::max())
        return false;
    *value = static_cast<ViInt32>(parsed);
    return true;
}

bool IsNoValue(double value) {
    return std::isnan(value) || std::fabs(value) >= kNoValueThreshold;
}

QByteArray FirstField(const QByteArray& reply) {
    const auto separator =
        std::find_if(reply.begin(), reply.end(), [](char c) { return c == ';' || c == ','; });
    return reply.left(separator - reply.begin());
}

bool ParseErrorReply(const QByteArray& reply, Age1960Error* error) {
    const qsizetype comma = reply.indexOf(',');
    const QByteArray text = reply.mid(comma + 1).trimmed();
    ViInt32 code = 0;
    if (comma < 0 || !ParseInteger(reply.left(comma), &code) || text.size() < 2 ||
        !text.startsWith('"') || !text.endsWith('"'))
        return false;
    error->code = code;
    error->text = text.mid(1, text.size() - 2);
    return true;
}

void CopyText(const QByteArray& text, ViChar out[], int size) {
    const auto length = static_cast<size_t>(std::min<qsizetype>(text.size(), size - 1));
    std::memcpy(out, text.constData(), length);
    out[length] = '\0';
}

} // namespace age1960
