#include "drivers/supplies/SupplySessions.h"

#include <map>

namespace supplies {

namespace {

std::map<ViSession, SupplySession>& Sessions() {
    static std::map<ViSession, SupplySession> sessions;
    return sessions;
}

} // namespace

SupplySession* FindSession(ViSession session) {
    const auto found = Sessions().find(session);
    return found == Sessions().end() ? nullptr : &found->second;
}

void AddSession(ViSession session, const SupplySession& state) {
    Sessions().insert_or_assign(session, state);
}

void RemoveSession(ViSession session) {
    Sessions().erase(session);
}

} // namespace supplies
