#pragma once
// The pointing device's point, polled on a thread of its own into two process-wide
// values that the hero reads every frame.
#include <atomic>
#include <mutex>
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
    // Takes the device's point now, on the calling thread. Input replay sets the point
    // right before a frame, and the frame must see it whatever the poller is doing.
    void PollNow();

private:
    void Poll();

    // Keeps a poll that read the old point from storing it after PollNow stored the new.
    std::mutex pointLock_;

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace Velmora
