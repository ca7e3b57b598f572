#pragma once
// The game window (SDL2 underneath): centred, resizable, showing the game's picture
// letterboxed at a whole scale (platform/Letterbox.h). Alt+Enter and F11 switch it
// between a window and the whole desktop. Key events come out as Windows virtual-key
// codes, auto-repeats included; keys pressed with Alt held, and F10, are menu keys.
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
    // A window of the picture's size times scale; scale 0 takes the largest that fits
    // the desktop's usable area (at most kMaxScale). Null (with *error set) when no
    // window can be opened, e.g. without a display.
    static std::unique_ptr<Window> Create(const std::string& title, const std::string& classHint,
                                          int pictureWidth, int pictureHeight, int scale,
                                          bool fullScreen, std::string* error);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Takes the next waiting event; false when none is waiting.
    bool PollEvent(WindowEvent& event);

    // The mouse pointer over the picture: x to the right, y upward from its bottom
    // edge, in picture pixels. False when the pointer is not over the picture.
    bool MousePoint(double& x, double& y) const;

    // Frames a second the window's display shows; 60 when it does not say.
    int RefreshRate() const;

    bool FullScreen() const;
    void SetFullScreen(bool on);

    // The size of the drawing area in device pixels, larger than the window's own size
    // on a high-density display.
    void DrawableSize(int& width, int& height) const;
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }
    void* NativeHandle() const { return native_; }

private:
    Window() = default;
    void* native_ = nullptr;  // SDL_Window*
    int width_ = 0;           // the picture's size
    int height_ = 0;
    // The window's size before full screen, to return to.
    int windowedWidth_ = 0;
    int windowedHeight_ = 0;
};

// Maps an SDL keycode to a virtual-key number; 0 for keys without one.
int VirtualKeyFromSdl(int sdlKeycode);

// Whether a key press switches between a window and full screen: Alt+Enter and F11.
bool IsFullScreenToggle(int sdlKeycode, unsigned sdlModifiers);

// Turns one SDL key press or release into a key event; false for keys without a
// virtual-key number.
bool TranslateKeyEvent(int sdlKeycode, unsigned sdlModifiers, bool down, WindowEvent& event);

}  // namespace Velmora::Platform
