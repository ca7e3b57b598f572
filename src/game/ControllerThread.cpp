#include "game/ControllerThread.h"

#include <chrono>
#include <system_error>

#include "platform/Haptic.h"

namespace Velmora {

std::atomic<double> g_hapticX{0.0};
std::atomic<double> g_hapticY{0.0};

ControllerThread::ControllerThread() {
    try {
        thread_ = std::thread(&ControllerThread::Poll, this);
    } catch (const std::system_error&) {
        // Without the thread the hero stays where the last point put it; the game
        // itself runs on.
    }
}

ControllerThread::~ControllerThread() {
    stop_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ControllerThread::PollNow() {
    std::lock_guard<std::mutex> hold(pointLock_);
    double x = 0.0;
    double y = 0.0;
    Platform::HapticDeviceGetPoint(&x, &y);
    g_hapticX.store(x);
    g_hapticY.store(y);
}

void ControllerThread::Poll() {
    while (!stop_.load()) {
        PollNow();
        // A millisecond is far below a frame, and keeps a whole core from spinning.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace Velmora
