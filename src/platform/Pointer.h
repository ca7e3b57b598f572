#pragma once
// Our stand-in for the haptic pointing-device library: the two calls the engine
// makes. The newest point comes from one source: UDP datagrams "<x> <y>" on
// 127.0.0.1:port when a port above 0 is configured, else the mouse pointer over the
// game window (x to the right, y upward from its bottom edge), and in any case points
// injected by input replay. A replayed point stands until the live source reports a
// new one (a datagram, or the mouse moving). Everything runs on the main thread: the
// game reads the point once at the start of each frame.
namespace Velmora::Platform {

class Window;

// Where the device reads from; call before PointerOpen. window may be null.
void PointerConfigure(int port, Window* window);
void PointerOpen(int device, double rate);
void PointerGetPoint(double* x, double* y);
// Closes the device's socket and forgets its source and point.
void PointerClose();
bool PointerIsOpen();

// Input replay (--input "<frame> point <x> <y>") sets the point directly.
void PointerInjectPoint(double x, double y);

}  // namespace Velmora::Platform
