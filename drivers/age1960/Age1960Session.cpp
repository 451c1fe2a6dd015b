#include "drivers/age1960/Age1960Session.h"

#include <map>

namespace age1960 {

Q_LOGGING_CATEGORY(lcAge1960, "rftune.age1960", QtWarningMsg)

namespace {

std::map<ViSession, Age1960Session>& Sessions() {
    static std::map<ViSession, Age1960Session> sessions;
    return sessions;
}

} // namespace

Age1960Session* FindSession(ViSession handle, ViStatus* status) {
    const auto found = Sessions().find(handle);
    if (found == Sessions().end()) {
        *status = VI_ERROR_INV_SESSION;
        return nullptr;
    }
    *status = VI_SUCCESS;
    return &found->second;
}

Age1960Session& AddSession(const Age1960Session& session) {
    return Sessions().insert_or_assign(session.visa, session).first->second;
}

void RemoveSession(ViSession handle) {
    Sessions().erase(handle);
}

} // namespace age1960
