#include "SupplyHeader.h"

SupplyHeader::SupplyHeader(const char* pattern) {
    if (pattern[0] == '*') {
        common_ = pattern;
        return;
    }
    QByteArray name;
    bool optional = false;
    const auto endNode = [&] {
        if (!name.isEmpty())
            nodes_.append({name, optional});
        name.clear();
    };
    for (const char* c = pattern; *c != '\0'; ++c) {
        if (*c == '[' || *c == ']' || *c == ':') {
            endNode();
            if (*c != ':')
                optional = *c == '[';
        } else {
            name += *c;
        }
    }
    endNode();
}

bool SupplyHeader::Matches(const ScpiUnit& unit) const {
    if (!common_.isEmpty())
        return unit.common == common_;
    return unit.common.isEmpty() && MatchesFrom(unit.path, 0, 0);
}

// Few nodes, at most a handful optional: trying both ways at each optional node is cheap.
bool SupplyHeader::MatchesFrom(const QList<QByteArray>& path, qsizetype at, qsizetype node) const {
    if (node == nodes_.size())
        return at == path.size();
    if (nodes_[node].optional && MatchesFrom(path, at, node + 1))
        return true;
    return at < path.size() && PathMatches({path[at]}, nodes_[node].name.constData()) &&
           MatchesFrom(path, at + 1, node + 1);
}
