#pragma once
// The engine of one run: it owns every subsystem, builds them in the order they
// depend on each other and takes them down in reverse, starts the game and runs its
// frames. The main loop (src/app) feeds it time and input; the script host reaches
// it through the bindings.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/Overlay.h"
#include "input/Input.h"
#include "resource/ResourceMgr.h"
#include "sound/SoundController.h"
#include "world/World.h"

namespace Velmora {

class ScriptPort;
namespace Platform {
class Gamepads;
class PictureLoader;
class Renderer;
class Window;
}  // namespace Platform

class Engine {
public:
    explicit Engine(std::unique_ptr<ScriptPort> scripts);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    ScriptPort& Scripts() { return *scripts_; }
    World& GetWorld() { return world_; }
    ResourceMgr& Resources() { return resources_; }
    SoundController& Sounds() { return sounds_; }
    Input& GetInput() { return input_; }
    Platform::Window* GetWindow() const { return window_.get(); }
    Platform::Renderer* GetRenderer() const { return renderer_.get(); }

    // The game's picture: a window showing it scaled by scale (0: the largest that fits
    // the desktop), or full screen (none when headless), and a renderer for it, OpenGL
    // on a window and the recording one without. False, with *error saying why, when
    // no window or no OpenGL could be had; *noWindow tells which.
    bool OpenDisplay(int width, int height, bool headless, int scale, bool fullScreen, bool vsync,
                     bool keepFrames, std::string* error, bool* noWindow);
    // A renderer the caller made (tests).
    void UseRenderer(std::unique_ptr<Platform::Renderer> renderer);
    // Gamepads act as keys from now on; false, with *error set, when there are none to
    // be had. Headless runs leave them closed: their input is replayed.
    bool OpenGamepads(std::string* error);
    // The key presses and releases (vk, down) the pads made since the last call. The
    // first pad to appear makes the engine read the game's Option.Gamepad.
    std::vector<std::pair<int, bool>> ReadGamepads();

    // Seeds the random generator, opens the sound system (the audio device when
    // audioOutput, else the silent one), reads the controller
    // settings and runs the game's OnGameCreate. Script failures are thrown.
    void Start(std::optional<unsigned> seed, bool audioOutput = false);

    // A key press as the game hears it: OnKeyEvent, once per press (not for the
    // automatic repeats of a held key); a release: OnKeyUp, when the game has one.
    // Script failures are thrown.
    void KeyDown(int vk);
    void KeyUp(int vk);

    // One frame of dt seconds: the clocks, the world, the sound fades. Nothing of it
    // runs while the game is paused; drawing and key events go on.
    void Update(float dt);
    bool Paused() const { return paused_; }
    // Playing voices pause and resume with the game.
    void SetPaused(bool paused);
    // Draws the world into the renderer and shows it.
    void Draw();

    // The game's own writable folder (UserDataFolder/<GameName>/, made on first use),
    // with a trailing slash; throws when it cannot be made.
    std::string SaveFolder();
    std::string GameName = "game";

    // The debug overlay over the world (frame times, objects, hit areas).
    bool OverlayOn() const { return overlayOn_; }
    void SetOverlay(bool on) { overlayOn_ = on; }

    bool ExitRequested = false;
    // Script errors of the run so far, which the overlay shows.
    long ScriptErrors = 0;

private:
    // Declared in the order they are built; the script host goes first on the way
    // down, since a script's finalizer may still call into the world.
    std::unique_ptr<Platform::Window> window_;
    std::unique_ptr<Platform::Renderer> renderer_;
    std::unique_ptr<Platform::Gamepads> pads_;
    // The game's pictures, decoded while the window opens; kept until the game has
    // started, and gone before the renderer that reads from it.
    std::unique_ptr<Platform::PictureLoader> pictures_;
    Platform::SoundResult earlySound_ = 0;  // what opening the sounds gave, when the window opened
    std::string soundWarning_;              // and what it had to say, for Start to say it
    bool padsMapped_ = false;
    SoundController sounds_;
    ResourceMgr resources_;
    Input input_;
    World world_;
    std::unique_ptr<ScriptPort> scripts_;
    bool paused_ = false;
    Overlay overlay_;
    bool overlayOn_ = false;
};

}  // namespace Velmora
