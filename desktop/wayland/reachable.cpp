#include "reachable.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorlan::wayland {

namespace {

Opened roundTrip(int fd, const sockaddr_un &address,
                 std::chrono::steady_clock::time_point deadline) {
    // Never in progress for a local socket: it connects or fails at once
    // (EAGAIN when its backlog is full, which a retry may get past).
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        return Opened::Refused;
    }
    // wl_display.sync with callback id 2 (object 1, opcode 0, 12 bytes, in
    // the host's byte order); the compositor answers with the callback's done
    // event, which starts with the callback's id.
    const std::uint32_t sync[] = {1, 12U << 16U, 2};
    if (::send(fd, sync, sizeof sync, MSG_NOSIGNAL) != sizeof sync) {
        return Opened::Refused;
    }
    pollfd reading{fd, POLLIN, 0};
    int ready = 0;
    do {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        ready = ::poll(&reading, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return Opened::Silent;
    }
    std::uint32_t reply[3] = {};
    return ::recv(fd, reply, sizeof reply, 0) >= 4 && reply[0] == 2 ? Opened::Answers
                                                                    : Opened::Refused;
}

} // namespace

Opened openDisplay(const std::string &socketPath, std::chrono::steady_clock::time_point deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) {
        return Opened::Refused;
    }
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return Opened::Refused;
    }
    const Opened opened = roundTrip(fd, address, deadline);
    ::close(fd);
    return opened;
}

} // namespace vorlan::wayland
