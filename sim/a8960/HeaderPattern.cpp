#include "HeaderPattern.h"

#include "GsmBand.h"
#include "ScpiMessage.h"

namespace {

struct Element {
    bool optional = false;
    QList<QByteArray> alternatives;
};

Element ElementOf(QByteArray text, bool optional) {
    Element element{optional, {}};
    for (QByteArray alternative : text.split('|')) {
        if (alternative.startsWith(':'))
            alternative.remove(0, 1);
        element.alternatives.append(alternative);
    }
    return element;
}

// "CALL[:CELL]:BAND" gives CALL, [CELL], BAND.
QList<Element> ElementsOf(const QByteArray& pattern) {
    QList<Element> elements;
    qsizetype i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == ':') {
            ++i;
        } else if (pattern[i] == '[') {
            const qsizetype close = pattern.indexOf(']', i);
            elements.append(ElementOf(pattern.mid(i + 1, close - i - 1), true));
            i = close + 1;
        } else {
            qsizetype end = i;
            while (end < pattern.size() && pattern[end] != ':' && pattern[end] != '[')
                ++end;
            elements.append(ElementOf(pattern.mid(i, end - i), false));
            i = end;
        }
    }
    return elements;
}

bool NodeMatches(const QByteArray& node, const QByteArray& alternative) {
    if (alternative == "<band>")
        return BandNamed(node).has_value();
    return PathMatches({node}, alternative.constData());
}

bool Matches(const QList<Element>& elements, qsizetype element, const QList<QByteArray>& path,
             qsizetype node) {
    if (element == elements.size())
        return node == path.size();
    const Element& here = elements[element];
    if (node < path.size()) {
        for (const QByteArray& alternative : here.alternatives) {
            if (NodeMatches(path[node], alternative) &&
                Matches(elements, element + 1, path, node + 1))
                return true;
        }
    }
    return here.optional && Matches(elements, element + 1, path, node);
}

} // namespace

bool HeaderMatches(const QList<QByteArray>& path, const char* pattern) {
    return Matches(ElementsOf(pattern), 0, path, 0);
}
