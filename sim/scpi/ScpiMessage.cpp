#include "sim/scpi/ScpiMessage.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace ScpiError {

const char* Text(int code) {
    switch (code) {
    case kSyntax:
        return "Syntax error";
    case kDataType:
        return "Data type error";
    case kParameterNotAllowed:
        return "Parameter not allowed";
    case kMissingParameter:
        return "Missing parameter";
    case kUndefinedHeader:
        return "Undefined header";
    case kSettingsConflict:
        return "Settings conflict";
    case kOutOfRange:
        return "Data out of range";
    case kIllegalValue:
        return "Illegal parameter value";
    case kDataStale:
        return "Data corrupt or stale";
    case kQueueOverflow:
        return "Queue overflow";
    default:
        return "Execution error";
    }
}

} // namespace ScpiError

namespace {

// Splits at separator where it is outside a quoted string.
QList<QByteArray> SplitOutsideQuotes(const QByteArray& text, char separator) {
    QList<QByteArray> pieces;
    QByteArray piece;
    char quote = 0;
    for (char c : text) {
        if (quote == 0 && (c == '"' || c == '\''))
            quote = c;
        else if (c == quote)
            quote = 0;
        if (c == separator && quote == 0) {
            pieces.append(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.append(piece);
    return pieces;
}

bool IsMnemonic(const QByteArray& node) {
    if (node.isEmpty())
        return false;
    for (char c : node) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool ParseUnit(QByteArray text, QList<QByteArray>* currentPath, ScpiUnit* unit) {
    text = text.trimmed();
    const qsizetype blank = text.indexOf(' ');
    QByteArray header = (blank < 0 ? text : text.left(blank)).toUpper();
    const QByteArray arguments = blank < 0 ? QByteArray() : text.mid(blank + 1).trimmed();
    unit->query = header.endsWith('?');
    if (unit->query)
        header.chop(1);
    if (!arguments.isEmpty()) {
        for (const QByteArray& parameter : SplitOutsideQuotes(arguments, ','))
            unit->parameters.append(parameter.trimmed());
    }
    if (header.startsWith('*')) {
        unit->common = header;
        return IsMnemonic(header.mid(1));
    }
    const bool fromRoot = header.startsWith(':');
    unit->path = fromRoot ? QList<QByteArray>() : *currentPath;
    for (const QByteArray& node : header.mid(fromRoot ? 1 : 0).split(':')) {
        if (!IsMnemonic(node))
            return false;
        unit->path.append(node);
    }
    *currentPath = unit->path.mid(0, unit->path.size() - 1);
    return true;
}

bool NodeMatches(const QByteArray& node, const QByteArray& pattern) {
    QByteArray shortForm;
    for (char c : pattern) {
        if (!std::islower(static_cast<unsigned char>(c)))
            shortForm += c;
    }
    return node == shortForm || node == pattern.toUpper();
}

} // namespace

QList<ScpiUnit> SplitProgramMessage(const QByteArray& line, int* error) {
    *error = 0;
    QList<ScpiUnit> units;
    QList<QByteArray> currentPath;
    for (const QByteArray& text : SplitOutsideQuotes(line, ';')) {
        if (text.trimmed().isEmpty())
            continue;
        ScpiUnit unit;
        if (!ParseUnit(text, &currentPath, &unit)) {
            *error = ScpiError::kSyntax;
            break;
        }
        units.append(unit);
    }
    return units;
}

bool PathMatches(const QList<QByteArray>& path, const char* pattern) {
    const QList<QByteArray> nodes = QByteArray(pattern).split(':');
    if (nodes.size() != path.size())
        return false;
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        if (!NodeMatches(path[i], nodes[i]))
            return false;
    }
    return true;
}

bool ParseNumber(const QByteArray& text, double* value) {
    const QByteArray number = text.startsWith('+') ? text.mid(1) : text;
    const char* end = number.constData() + number.size();
    const auto result = std::from_chars(number.constData(), end, *value);
    return result.ec == std::errc() && result.ptr == end && !number.isEmpty() &&
           std::isfinite(*value);
}

bool ParseString(const QByteArray& text, QByteArray* value) {
    if (text.size() < 2 || (text.front() != '"' && text.front() != '\'') ||
        text.back() != text.front())
        return false;
    *value = text.mid(1, text.size() - 2);
    return true;
}
