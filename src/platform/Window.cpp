#include "platform/Window.h"

#include "core/VirtualKeys.h"

#include <SDL.h>

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

std::unique_ptr<Window> Window::Create(const std::string& title, const std::string& classHint,
                                       int clientWidth, int clientHeight, std::string* error) {
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
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         clientWidth > 0 ? clientWidth : 1, clientHeight > 0 ? clientHeight : 1,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        if (error != nullptr) {
            *error = std::string("cannot open a window: ") + SDL_GetError();
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    std::unique_ptr<Window> result(new Window());
    result->native_ = window;
    result->width_ = clientWidth;
    result->height_ = clientHeight;
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
    x = mx;
    y = height_ - my;
    return true;
}

}  // namespace Velmora::Platform
