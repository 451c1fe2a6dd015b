// A stand-in for linux-gpib's libgpib.so.0: GPIB address N of board 0 is the loopback SCPI
// server whose port RFTUNE_STUB_GPIB_N names; a read ends at a line feed, as END would. Board 1
// is not configured and board 2 is not the controller in charge.
#include <cstdlib>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kErr = 0x8000, kTimo = 0x4000, kEnd = 0x2000, kCmpl = 0x100;
constexpr int kEdvr = 0, kEcic = 1, kEnol = 2, kEabo = 6;
// T10us to T1000s in milliseconds, rounded up; TNONE waits for ever.
constexpr int kCodeMs[] = {-1,  1,   1,    1,    1,     1,     3,      10,     30,
                           100, 300, 1000, 3000, 10000, 30000, 100000, 300000, 1000000};

thread_local int sta = 0, err = 0, cnt = 0;

struct Device {
    int fd = -1;
    int board = 0;
    int timeoutMs = 0;
};
std::map<int, Device> devices;
int nextDescriptor = 1;

int Done(int status, int count = 0) {
    sta = status;
    cnt = count;
    return sta;
}

int Fail(int code, int count = 0) {
    err = code;
    return Done(kErr | (code == kEabo ? kTimo : 0), count);
}

int PortOf(int pad) {
    const char* port = std::getenv(("RFTUNE_STUB_GPIB_" + std::to_string(pad)).c_str());
    return port ? std::atoi(port) : 0;
}

int Connect(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    return fd;
}

Device* Find(int ud) {
    const auto found = devices.find(ud);
    return found == devices.end() ? nullptr : &found->second;
}

} // namespace

extern "C" {

int ThreadIbsta() {
    return sta;
}
int ThreadIberr() {
    return err;
}
int ThreadIbcnt() {
    return cnt;
}

int ibdev(int board, int pad, int /*sad*/, int timo, int /*sendEoi*/, int /*eos*/) {
    if (board == 1) {
        Fail(kEdvr);
        return -1;
    }
    const int port = PortOf(pad);
    devices[nextDescriptor] = {port ? Connect(port) : -1, board, kCodeMs[timo]};
    Done(kCmpl);
    return nextDescriptor++;
}

int ibwrt(int ud, const void* data, long count) {
    Device* device = Find(ud);
    if (device->board == 2)
        return Fail(kEcic);
    if (device->fd < 0)
        return Fail(kEnol);
    ::send(device->fd, data, static_cast<size_t>(count), MSG_NOSIGNAL);
    return Done(kCmpl, static_cast<int>(count));
}

int ibrd(int ud, void* buffer, long count) {
    Device* device = Find(ud);
    if (device->fd < 0)
        return Fail(kEnol);
    auto* bytes = static_cast<char*>(buffer);
    int got = 0;
    while (got < count) {
        pollfd waiting{device->fd, POLLIN, 0};
        if (::poll(&waiting, 1, device->timeoutMs) <= 0 || ::read(device->fd, bytes + got, 1) != 1)
            return Fail(kEabo, got);
        if (bytes[got++] == '\n')
            return Done(kCmpl | kEnd, got);
    }
    return Done(kCmpl, got);
}

int ibclr(int ud) {
    char drop[256];
    while (::recv(Find(ud)->fd, drop, sizeof drop, MSG_DONTWAIT) > 0) {
    }
    return Done(kCmpl);
}

int ibrsp(int ud, char* statusByte) {
    // The reply on its way counts as queued: MAV once it arrives within the time-out.
    pollfd waiting{Find(ud)->fd, POLLIN, 0};
    *statusByte = ::poll(&waiting, 1, Find(ud)->timeoutMs) > 0 ? 0x10 : 0;
    return Done(kCmpl);
}

int ibtmo(int ud, int timo) {
    Find(ud)->timeoutMs = kCodeMs[timo];
    return Done(kCmpl);
}

int ibeos(int /*ud*/, int /*eos*/) {
    return Done(kCmpl);
}
int ibeot(int /*ud*/, int /*sendEoi*/) {
    return Done(kCmpl);
}

int ibonl(int ud, int /*online*/) {
    if (Device* device = Find(ud); device && device->fd >= 0)
        ::close(device->fd);
    devices.erase(ud);
    return Done(kCmpl);
}

} // extern "C"
