#include "platform/Haptic.h"

#include <atomic>

namespace Velmora::Platform {

namespace {
std::atomic<double> g_pointX{0.0};
std::atomic<double> g_pointY{0.0};
}  // namespace

void HapticConfigure(int, Window*) {}

void HapticDeviceOpen(int, double) {}

void HapticDeviceGetPoint(double* x, double* y) {
    if (x != nullptr) {
        *x = g_pointX.load();
    }
    if (y != nullptr) {
        *y = g_pointY.load();
    }
}

void HapticDeviceClose() {}

void HapticInjectPoint(double x, double y) {
    g_pointX.store(x);
    g_pointY.store(y);
}

}  // namespace Velmora::Platform
