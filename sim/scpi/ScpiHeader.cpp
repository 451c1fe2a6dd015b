#include "sim/scpi/ScpiHeader.h"

// "CALL[:CELL]:BAND" gives CALL, [CELL], BAND; "[SOURce:]VOLTage" gives [SOURce], VOLTage.
ScpiHeader::ScpiHeader(const char* pattern, std::span<const ScpiPlaceholder> placeholders) {
    if (pattern[0] == '*') {
        common_ = pattern;
        return;
    }
    const QByteArray text(pattern);
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == ':') {
            ++i;
        } else if (text[i] == '[') {
            const qsizetype close = text.indexOf(']', i);
            AddElement(text.mid(i + 1, close - i - 1), true, placeholders);
            i = close + 1;
        } else {
            qsizetype end = i;
            while (end < text.size() && text[end] != ':' && text[end] != '[')
                ++end;
            AddElement(text.mid(i, end - i), false, placeholders);
            i = end;
        }
    }
}

void ScpiHeader::AddElement(QByteArray text, bool optional,
                            std::span<const ScpiPlaceholder> placeholders) {
    Element element{optional, {}};
    for (QByteArray alternative : text.split('|')) {
        if (alternative.startsWith(':'))
            alternative.remove(0, 1);
        if (alternative.endsWith(':'))
            alternative.chop(1);
        bool (*placeholder)(const QByteArray&) = nullptr;
        for (const ScpiPlaceholder& known : placeholders) {
            if (alternative == known.name)
                placeholder = known.accepts;
        }
        element.alternatives.append({alternative, placeholder});
    }
    elements_.append(element);
}

bool ScpiHeader::Matches(const ScpiUnit& unit) const {
    if (!common_.isEmpty())
        return unit.common == common_;
    return unit.common.isEmpty() && MatchesFrom(unit.path, 0, 0);
}

// Few nodes, at most a handful optional: trying both ways at each optional node is cheap.
bool ScpiHeader::MatchesFrom(const QList<QByteArray>& path, qsizetype element,
                             qsizetype node) const {
    if (element == elements_.size())
        return node == path.size();
    const Element& here = elements_[element];
    if (node < path.size()) {
        for (const Alternative& alternative : here.alternatives) {
            const bool matches = alternative.placeholder
                                     ? alternative.placeholder(path[node])
                                     : PathMatches({path[node]}, alternative.mnemonic.constData());
            if (matches && MatchesFrom(path, element + 1, node + 1))
                return true;
        }
    }
    return here.optional && MatchesFrom(path, element + 1, node);
}
