#include "platform/Pointer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Window.h"

namespace Velmora::Platform {

namespace {

// "<x> <y>" with optional surrounding blanks; anything else is not a point.
bool ParsePoint(const char* text, double& x, double& y) {
    char* end = nullptr;
    x = std::strtod(text, &end);
    if (end == text) {
        return false;
    }
    const char* rest = end;
    y = std::strtod(rest, &end);
    if (end == rest) {
        return false;
    }
    while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') {
        ++end;
    }
    return *end == '\0' && std::isfinite(x) && std::isfinite(y);
}

}  // namespace

PointerSource::PointerSource(int port, const Window* window)
    : window_(window), useSocket_(port > 0) {
    if (useSocket_) {
        OpenSocket(port);
    }
}

PointerSource::~PointerSource() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

void PointerSource::OpenSocket(int port) {
    if (port > 65535) {
        std::fprintf(stderr, "velmora: the pointing device cannot use port %d\n", port);
        return;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::fprintf(stderr, "velmora: the pointing device has no socket: %s\n",
                     std::strerror(errno));
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        std::fprintf(stderr, "velmora: the pointing device cannot listen on 127.0.0.1:%d: %s\n",
                     port, std::strerror(errno));
        close(fd);
        return;
    }
    socket_ = fd;
}

// Takes the datagrams waiting; the last well-formed one is the newest point. A sender
// faster than the frame cannot hold the frame here: past a bound the rest waits for
// the next frame.
void PointerSource::DrainSocket() {
    constexpr int kMostPerFrame = 4096;
    char buffer[256];
    for (int taken = 0; taken < kMostPerFrame; ++taken) {
        const ssize_t received = recv(socket_, buffer, sizeof(buffer) - 1, 0);
        if (received < 0) {
            return;  // nothing more waiting (or a transient error: try next poll)
        }
        buffer[received] = '\0';
        double x = 0.0;
        double y = 0.0;
        if (ParsePoint(buffer, x, y)) {
            x_ = x;
            y_ = y;
        }
    }
}

void PointerSource::Read(double& x, double& y) {
    if (useSocket_) {
        if (socket_ >= 0) {
            DrainSocket();
        }
    } else if (window_ != nullptr) {
        double mx = 0.0;
        double my = 0.0;
        if (window_->MousePoint(mx, my) && (!sawMouse_ || mx != mouseX_ || my != mouseY_)) {
            sawMouse_ = true;
            mouseX_ = mx;
            mouseY_ = my;
            x_ = mx;
            y_ = my;
        }
    }
    x = x_;
    y = y_;
}

void PointerSource::Inject(double x, double y) {
    x_ = x;
    y_ = y;
}

}  // namespace Velmora::Platform
