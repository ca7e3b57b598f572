#pragma once
// The game window (SDL2 underneath): fixed client size, centred, not resizable,
// minimise box only. Key events come out as Windows virtual-key codes, auto-repeats
// included; keys pressed with Alt held, and F10, are system keys and never come out.
#include <memory>
#include <string>

namespace Velmora::Platform {

struct WindowEvent {
    enum class Kind { KeyDown, KeyUp, Close };
    Kind Type = Kind::Close;
    int Vk = 0;
    // Alt held or F10: the desktop's menu keys. They count as held keys, but the
    // game's key handler never sees them (Alt+F4 closes the window, not a weapon).
    bool MenuKey = false;
};

class Window {
public:
    // Null (with *error set) when no window can be opened, e.g. without a display.
    static std::unique_ptr<Window> Create(const std::string& title, const std::string& classHint,
                                          int clientWidth, int clientHeight, std::string* error);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Takes the next waiting event; false when none is waiting.
    bool PollEvent(WindowEvent& event);

    // The mouse pointer over the client area: x to the right, y upward from the
    // bottom edge, in client pixels. False when the pointer is not over the window.
    bool MousePoint(double& x, double& y) const;

    // Frames a second the window's display shows; 60 when it does not say.
    int RefreshRate() const;

    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    void* NativeHandle() const { return native_; }

private:
    Window() = default;
    void* native_ = nullptr;  // SDL_Window*
    int width_ = 0;
    int height_ = 0;
};

// Maps an SDL keycode to a virtual-key number; 0 for keys without one.
int VirtualKeyFromSdl(int sdlKeycode);

// Turns one SDL key press or release into a key event; false for keys without a
// virtual-key number.
bool TranslateKeyEvent(int sdlKeycode, unsigned sdlModifiers, bool down, WindowEvent& event);

}  // namespace Velmora::Platform
