#pragma once
// The pointing device's point, polled on a thread of its own into two process-wide
// values that the hero reads every frame.
#include <atomic>
#include <thread>

namespace Velmora {

// The device's newest point (device units: y upward). 0 until the device reports.
extern std::atomic<double> g_hapticX;
extern std::atomic<double> g_hapticY;

class ControllerThread {
public:
    // Starts polling the open device at once.
    ControllerThread();
    // Stops the polling and waits for it.
    ~ControllerThread();
    ControllerThread(const ControllerThread&) = delete;
    ControllerThread& operator=(const ControllerThread&) = delete;

    bool Running() const { return thread_.joinable(); }

private:
    void Poll();

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace Velmora
