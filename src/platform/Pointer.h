#pragma once
// The pointing device: the newest point from one source, UDP datagrams "<x> <y>" on
// 127.0.0.1:port when a port above 0 is given, else the mouse pointer over the game
// window (x to the right, y upward from its bottom edge). Input replay may set the
// point too; it stands until the live source reports a new one (a datagram, or the
// mouse moving). Read on the main thread, once at the start of each frame.
namespace Velmora::Platform {

class Window;

class PointerSource {
public:
    // window may be null (headless): then only datagrams and replay move the point.
    PointerSource(int port, const Window* window);
    ~PointerSource();
    PointerSource(const PointerSource&) = delete;
    PointerSource& operator=(const PointerSource&) = delete;

    // Takes what the source reported since the last read; the newest point.
    void Read(double& x, double& y);
    void Inject(double x, double y);

private:
    void OpenSocket(int port);
    void DrainSocket();

    const Window* window_;
    int socket_ = -1;
    bool useSocket_ = false;
    double x_ = 0.0;
    double y_ = 0.0;
    // Where the mouse was last seen over the window: only a move of it is a new point.
    bool sawMouse_ = false;
    double mouseX_ = 0.0;
    double mouseY_ = 0.0;
};

}  // namespace Velmora::Platform
