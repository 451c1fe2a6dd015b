// A small system VISA library for the tests: the standard entry points over two GPIB
// instruments held in memory. GPIB0::4 answers as a Willtek 4400; GPIB0::22 is listed only.
// It counts its open sessions, so that a test can see the VISA layer close what it opened.
#include "visa/Visa.h"

#include <cstring>
#include <deque>
#include <map>
#include <string>

namespace {

struct Session {
    bool resourceManager = false;
    ViUInt32 timeoutMs = 2000;
    std::deque<std::string> replies;
};

std::map<ViSession, Session> g_sessions;
ViSession g_next = 500;

const char* const kResources[] = {"GPIB0::4::INSTR", "GPIB0::22::INSTR"};

void Copy(const char* text, ViChar out[]) {
    std::strncpy(out, text, VI_FIND_BUFLEN - 1);
    out[VI_FIND_BUFLEN - 1] = '\0';
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int fakevisa_openSessions() {
    return static_cast<int>(g_sessions.size());
}

ViStatus viOpenDefaultRM(ViPSession vi) {
    *vi = g_next++;
    g_sessions[*vi].resourceManager = true;
    return VI_SUCCESS;
}

ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode, ViUInt32, ViPSession vi) {
    *vi = VI_NULL;
    if (!g_sessions.count(sesn) || !g_sessions[sesn].resourceManager)
        return VI_ERROR_INV_OBJECT;
    const std::string resource = name;
    if (resource != "GPIB0::4" && resource != "GPIB0::4::INSTR" && resource != "GPIB0::22::INSTR")
        return VI_ERROR_RSRC_NFOUND;
    *vi = g_next++;
    g_sessions[*vi];
    return VI_SUCCESS;
}

ViStatus viClose(ViObject vi) {
    if (g_sessions.erase(vi) == 0)
        return VI_ERROR_INV_OBJECT;
    return VI_SUCCESS;
}

ViStatus viFindRsrc(ViSession, ViConstString, ViPFindList vi, ViPUInt32 retCnt, ViChar desc[]) {
    *vi = g_next++;
    g_sessions[*vi].replies.assign(std::begin(kResources) + 1, std::end(kResources));
    *retCnt = 2;
    Copy(kResources[0], desc);
    return VI_SUCCESS;
}

ViStatus viFindNext(ViFindList vi, ViChar desc[]) {
    Session& list = g_sessions[vi];
    if (list.replies.empty())
        return VI_ERROR_RSRC_NFOUND;
    Copy(list.replies.front().c_str(), desc);
    list.replies.pop_front();
    return VI_SUCCESS;
}

ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt) {
    // Only the identity is answered: anything else leaves the next read to time out.
    if (std::string(reinterpret_cast<const char*>(buf), cnt) == "*IDN?\n")
        g_sessions[vi].replies.push_back("WILLTEK,4400,99,3.1\n");
    *retCnt = cnt;
    return VI_SUCCESS;
}

ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt) {
    Session& session = g_sessions[vi];
    *retCnt = 0;
    if (session.replies.empty())
        return VI_ERROR_TMO;
    const std::string reply = session.replies.front();
    session.replies.pop_front();
    *retCnt = static_cast<ViUInt32>(std::min<size_t>(reply.size(), cnt));
    std::memcpy(buf, reply.data(), *retCnt);
    return VI_SUCCESS;
}

ViStatus viClear(ViSession vi) {
    g_sessions[vi].replies.clear();
    return VI_SUCCESS;
}

ViStatus viSetBuf(ViSession, ViUInt16, ViUInt32) {
    return VI_SUCCESS;
}

ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue) {
    if (attrName == VI_ATTR_TMO_VALUE)
        g_sessions[vi].timeoutMs = static_cast<ViUInt32>(attrValue);
    return VI_SUCCESS;
}

ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue) {
    if (attrName != VI_ATTR_TMO_VALUE)
        return VI_ERROR_NSUP_ATTR;
    *static_cast<ViUInt32*>(attrValue) = g_sessions[vi].timeoutMs;
    return VI_SUCCESS;
}

ViStatus viStatusDesc(ViObject, ViStatus status, ViChar desc[]) {
    Copy(status == VI_ERROR_TMO ? "fake VISA: no answer" : "fake VISA: failed", desc);
    return VI_SUCCESS;
}

} // extern "C"
