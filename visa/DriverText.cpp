#include "visa/DriverText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace DriverText {

QByteArray ScpiNumber(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? QByteArray(buffer, end - buffer) : QByteArray();
}

bool ParseReal(const QByteArray& field, double* value) {
    QByteArray text = field.trimmed();
    // from_chars takes no plus sign, which NR3 results ("+1.234E-01") carry; "+-1" stays refused.
    if (text.startsWith('+')) {
        text.remove(0, 1);
        if (text.startsWith('-'))
            return false;
    }
    const char* end = text.constData() + text.size();
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(text.constData(), end, parsed);
    if (error != std::errc() || stop != end)
        return false;
    *value = parsed;
    return true;
}

bool ParseFinite(const QByteArray& field, double* value) {
    double parsed = 0.0;
    if (!ParseReal(field, &parsed) || !std::isfinite(parsed))
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

bool ParseErrorEntry(const QByteArray& reply, EntryForm form, ErrorEntry* entry) {
    const qsizetype comma = reply.indexOf(',');
    if (comma < 0 && form == EntryForm::kComplete)
        return false;
    ViInt32 code = 0;
    if (!ParseInteger(comma < 0 ? reply : reply.left(comma), &code))
        return false;
    QByteArray text = comma < 0 ? QByteArray() : reply.mid(comma + 1).trimmed();
    const bool quoted = text.size() >= 2 && text.startsWith('"') && text.endsWith('"');
    if (!quoted && form == EntryForm::kComplete)
        return false;
    if (text.startsWith('"'))
        text.remove(0, 1);
    if (text.endsWith('"'))
        text.chop(1);
    entry->code = code;
    entry->text = text.replace("\"\"", "\"");
    return true;
}

void CopyText(const QByteArray& text, ViChar out[], int size) {
    if (size <= 0)
        return;
    const qsizetype length = std::min<qsizetype>(text.size(), size - 1);
    std::memcpy(out, text.constData(), static_cast<size_t>(length));
    out[length] = '\0';
}

} // namespace DriverText
