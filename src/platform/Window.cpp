#include "platform/Window.h"

#include "core/VirtualKeys.h"
#include "platform/Letterbox.h"

#include <SDL.h>

#include <algorithm>

namespace Velmora::Platform {

namespace {

SDL_Window* Native(void* handle) {
    return static_cast<SDL_Window*>(handle);
}

}  // namespace

int VirtualKeyFromSdl(int sdlKeycode) {
    const SDL_Keycode k = static_cast<SDL_Keycode>(sdlKeycode);
    if (k >= SDLK_a && k <= SDLK_z) {
        return 'A' + (k - SDLK_a);
    }
    if (k >= SDLK_0 && k <= SDLK_9) {
        return '0' + (k - SDLK_0);
    }
    if (k >= SDLK_F1 && k <= SDLK_F12) {
        return VK_F1 + (k - SDLK_F1);
    }
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) {
        return 0x61 + (k - SDLK_KP_1);
    }
    switch (k) {
        case SDLK_KP_0:
            return 0x60;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_KP_MULTIPLY:
            return 0x6A;
        case SDLK_KP_PLUS:
            return 0x6B;
        case SDLK_KP_MINUS:
            return 0x6D;
        case SDLK_KP_PERIOD:
            return 0x6E;
        case SDLK_KP_DIVIDE:
            return 0x6F;
        case SDLK_SEMICOLON:
            return 0xBA;
        case SDLK_EQUALS:
            return 0xBB;
        case SDLK_COMMA:
            return 0xBC;
        case SDLK_MINUS:
            return 0xBD;
        case SDLK_PERIOD:
            return 0xBE;
        case SDLK_SLASH:
            return 0xBF;
        case SDLK_BACKQUOTE:
            return 0xC0;
        case SDLK_LEFTBRACKET:
            return 0xDB;
        case SDLK_BACKSLASH:
            return 0xDC;
        case SDLK_RIGHTBRACKET:
            return 0xDD;
        case SDLK_QUOTE:
            return 0xDE;
        default:
            return 0;
    }
}

bool TranslateKeyEvent(int sdlKeycode, unsigned sdlModifiers, bool down, WindowEvent& event) {
    const int vk = VirtualKeyFromSdl(sdlKeycode);
    if (vk == 0) {
        return false;
    }
    event.Type = down ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp;
    event.Vk = vk;
    event.MenuKey = (sdlModifiers & KMOD_ALT) != 0 || sdlKeycode == SDLK_F10;
    return true;
}

bool IsFullScreenToggle(int sdlKeycode, unsigned sdlModifiers) {
    return sdlKeycode == SDLK_F11 || ((sdlKeycode == SDLK_RETURN || sdlKeycode == SDLK_KP_ENTER) &&
                                      (sdlModifiers & KMOD_ALT) != 0);
}

std::unique_ptr<Window> Window::Create(const std::string& title, const std::string& classHint,
                                       int pictureWidth, int pictureHeight, int scale,
                                       bool fullScreen, std::string* error) {
    // Window managers group and style windows by this class hint.
    SDL_SetHint(SDL_HINT_APP_NAME, classHint.c_str());
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", classHint.c_str(), 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        if (error != nullptr) {
            *error = std::string("cannot open a window: ") + SDL_GetError();
        }
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    pictureWidth = std::max(pictureWidth, 1);
    pictureHeight = std::max(pictureHeight, 1);
    if (scale <= 0) {
        SDL_Rect usable{};
        scale = SDL_GetDisplayUsableBounds(0, &usable) == 0
                    ? LargestScale(pictureWidth, pictureHeight, usable.w, usable.h)
                    : 1;
    }
    scale = std::min(scale, kMaxScale);
    // The window's size is also the one it returns to when full screen ends.
    Uint32 flags =
        SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         pictureWidth * scale, pictureHeight * scale, flags);
    if (window == nullptr) {
        if (error != nullptr) {
            *error = std::string("cannot open a window: ") + SDL_GetError();
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    std::unique_ptr<Window> result(new Window());
    result->native_ = window;
    result->width_ = pictureWidth;
    result->height_ = pictureHeight;
    result->windowedWidth_ = pictureWidth * scale;
    result->windowedHeight_ = pictureHeight * scale;
    return result;
}

Window::~Window() {
    if (native_ != nullptr) {
        SDL_DestroyWindow(Native(native_));
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
}

bool Window::PollEvent(WindowEvent& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        switch (e.type) {
            case SDL_QUIT:
                event.Type = WindowEvent::Kind::Close;
                event.Vk = 0;
                return true;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    event.Type = WindowEvent::Kind::Close;
                    event.Vk = 0;
                    return true;
                }
                break;
            case SDL_KEYDOWN:
                // The game hears the key too, as it always has (F11 is its key as much
                // as the window's); Alt+Enter is a menu key, which it never hears.
                if (e.key.repeat == 0 && IsFullScreenToggle(e.key.keysym.sym, e.key.keysym.mod)) {
                    SetFullScreen(!FullScreen());
                }
                [[fallthrough]];
            case SDL_KEYUP:
                if (TranslateKeyEvent(e.key.keysym.sym, e.key.keysym.mod, e.type == SDL_KEYDOWN,
                                      event)) {
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return false;
}

int Window::RefreshRate() const {
    SDL_DisplayMode mode{};
    if (native_ == nullptr || SDL_GetWindowDisplayMode(Native(native_), &mode) != 0 ||
        mode.refresh_rate <= 0) {
        return 60;
    }
    return mode.refresh_rate;
}

bool Window::MousePoint(double& x, double& y) const {
    if (native_ == nullptr || SDL_GetMouseFocus() != Native(native_)) {
        return false;
    }
    int mx = 0;
    int my = 0;
    SDL_GetMouseState(&mx, &my);
    // The mouse moves in window units, the picture is placed in device pixels.
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(Native(native_), &windowWidth, &windowHeight);
    int drawableWidth = 0;
    int drawableHeight = 0;
    DrawableSize(drawableWidth, drawableHeight);
    const double toPixelsX =
        windowWidth > 0 ? static_cast<double>(drawableWidth) / windowWidth : 1.0;
    const double toPixelsY =
        windowHeight > 0 ? static_cast<double>(drawableHeight) / windowHeight : 1.0;
    return FitPicture(width_, height_, drawableWidth, drawableHeight)
        .ToPicture(mx * toPixelsX, my * toPixelsY, x, y);
}

bool Window::FullScreen() const {
    return (SDL_GetWindowFlags(Native(native_)) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
           SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void Window::SetFullScreen(bool on) {
    // The desktop's own mode: switching the display's resolution would blur or
    // stretch on flat panels, and the picture is scaled by whole numbers anyway.
    SDL_Window* window = Native(native_);
    if (on == FullScreen()) {
        return;
    }
    if (on) {
        SDL_GetWindowSize(window, &windowedWidth_, &windowedHeight_);
    }
    SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    // Without a window manager to restore it, the window would keep the screen's size.
    if (!on) {
        SDL_SetWindowSize(window, windowedWidth_, windowedHeight_);
    }
}

void Window::DrawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(Native(native_), &width, &height);
}

}  // namespace Velmora::Platform
