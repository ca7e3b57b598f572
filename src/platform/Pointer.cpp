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

double g_pointX = 0.0;
double g_pointY = 0.0;
// Where the mouse was last seen over the window: only a move of it is a new point.
bool g_sawMouse = false;
double g_mouseX = 0.0;
double g_mouseY = 0.0;

int g_port = 0;
Window* g_window = nullptr;
int g_socket = -1;
bool g_open = false;

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

void OpenSocket(int port) {
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
    g_socket = fd;
}

// Takes every datagram waiting; the last well-formed one is the newest point.
void DrainSocket() {
    char buffer[256];
    while (true) {
        const ssize_t received = recv(g_socket, buffer, sizeof(buffer) - 1, 0);
        if (received < 0) {
            return;  // nothing more waiting (or a transient error: try next poll)
        }
        buffer[received] = '\0';
        double x = 0.0;
        double y = 0.0;
        if (ParsePoint(buffer, x, y)) {
            g_pointX = x;
            g_pointY = y;
        }
    }
}

}  // namespace

void PointerConfigure(int port, Window* window) {
    g_port = port;
    g_window = window;
}

void PointerOpen(int, double) {
    // Every source delivers points as they come, so the device number and polling
    // rate games pass are not needed.
    if (g_open) {
        return;
    }
    g_open = true;
    if (g_port > 0) {
        OpenSocket(g_port);
    }
}

void PointerGetPoint(double* x, double* y) {
    if (g_open) {
        if (g_port > 0) {
            if (g_socket >= 0) {
                DrainSocket();
            }
        } else if (g_window != nullptr) {
            double mx = 0.0;
            double my = 0.0;
            if (g_window->MousePoint(mx, my) && (!g_sawMouse || mx != g_mouseX || my != g_mouseY)) {
                g_sawMouse = true;
                g_mouseX = mx;
                g_mouseY = my;
                g_pointX = mx;
                g_pointY = my;
            }
        }
    }
    if (x != nullptr) {
        *x = g_pointX;
    }
    if (y != nullptr) {
        *y = g_pointY;
    }
}

void PointerClose() {
    if (g_socket >= 0) {
        close(g_socket);
        g_socket = -1;
    }
    g_open = false;
    g_port = 0;
    g_window = nullptr;
    g_sawMouse = false;
    g_pointX = 0.0;
    g_pointY = 0.0;
}

bool PointerIsOpen() {
    return g_open;
}

void PointerInjectPoint(double x, double y) {
    g_pointX = x;
    g_pointY = y;
}

}  // namespace Velmora::Platform
