#include "game/Engine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/Error.h"
#include "platform/Gamepad.h"
#include "platform/ImageFile.h"
#include "platform/OpenGLRenderer.h"
#include "platform/RecordingRenderer.h"
#include "platform/Renderer.h"
#include "platform/UserFolders.h"
#include "platform/Window.h"
#include "world/BaseObject.h"
#include "world/ScriptPort.h"

namespace Velmora {

namespace {
const char* const kGameScript = "res/script/GameState.lua";
const char* const kSettings = "setup.lua";
constexpr std::uint32_t kBackground = 0xFF0C61BEu;
constexpr int kVoices = 20;
// Pictures past this many bytes of pixels are decoded only when a script declares them.
constexpr std::size_t kPrefetchedPictureBytes = 64u << 20;

using Clock = std::chrono::steady_clock;
double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
}  // namespace

Engine::Engine(std::unique_ptr<ScriptPort> scripts)
    : world_(*scripts, resources_, input_), scripts_(std::move(scripts)) {}

Engine::~Engine() {
    scripts_.reset();
}

bool Engine::OpenDisplay(int width, int height, bool headless, int scale, bool fullScreen,
                         bool vsync, bool keepFrames, std::string* error, bool* noWindow) {
    *noWindow = false;
    if (headless) {
        UseRenderer(std::make_unique<Platform::RecordingRenderer>(width, height));
        return true;
    }
    // The device opens before the window, so that the game's sounds are decoded into its
    // format while the window opens; Start says what became of it, as it always did.
    earlySound_ = Platform::SoundSystemCreate(true, &sounds_.System, &soundWarning_);
    pictures_ = std::make_unique<Platform::PictureLoader>("res", kPrefetchedPictureBytes);
    window_ = Platform::Window::Create("Velmora Quellix v1.0", "vq_zest", width, height, scale,
                                       fullScreen, error);
    if (window_ == nullptr) {
        *noWindow = true;
        return false;
    }
    std::unique_ptr<Platform::Renderer> renderer =
        Platform::CreateOpenGLRenderer(*window_, width, height, vsync, keepFrames, error);
    if (renderer == nullptr) {
        return false;
    }
    UseRenderer(std::move(renderer));
    renderer_->UsePictureLoader(pictures_.get());
    return true;
}

void Engine::UseRenderer(std::unique_ptr<Platform::Renderer> renderer) {
    renderer_ = std::move(renderer);
    renderer_->State().Cull = Platform::CullMode::Clockwise;
    resources_.SetDevice(renderer_.get());
}

std::string Engine::SaveFolder() {
    const std::string root = Platform::UserDataFolder();
    if (root.empty()) {
        throw LuaException(
            "Game_GetSaveDir(): there is no home folder to save in (HOME is not set)");
    }
    const std::string folder = root + "/" + GameName + "/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw LuaException("Game_GetSaveDir(): cannot make the save folder '" + folder +
                           "': " + (error ? error.message() : "something else is there"));
    }
    return folder;
}

bool Engine::OpenGamepads(std::string* error) {
    pads_ = Platform::Gamepads::Open(error);
    return pads_ != nullptr;
}

std::vector<std::pair<int, bool>> Engine::ReadGamepads() {
    if (pads_ == nullptr) {
        return {};
    }
    const Platform::PadState held = pads_->Read();
    if (!padsMapped_ && pads_->Count() > 0) {
        // Read once, and only for a game played with a pad: every read runs setup.lua.
        padsMapped_ = true;
        for (int c = 0; c < Platform::kPadControls; ++c) {
            const auto control = static_cast<Platform::PadControl>(c);
            const std::string key = std::string("Gamepad.") + Platform::PadControlName(control);
            input_.MapPadControl(control,
                                 TruncateToInt(scripts_->Number(kSettings, "Option", key)));
        }
    }
    return input_.PadChanges(held);
}

void Engine::Start(std::optional<unsigned> seed, bool audioOutput) {
    std::srand(seed ? *seed : static_cast<unsigned>(std::time(nullptr)));
    if (sounds_.System == nullptr) {
        earlySound_ = Platform::SoundSystemCreate(audioOutput, &sounds_.System);
    } else if (!soundWarning_.empty()) {
        std::fputs(soundWarning_.c_str(), stderr);
        std::fflush(stderr);
    }
    SoundController::CheckResult(earlySound_);
    SoundController::CheckResult(sounds_.System->Init(kVoices));

    world_.CreateSystemObject();
    world_.UseController = TruncateToInt(scripts_->Number(kSettings, "Option", "Controller")) != 0;
    world_.AdjustX = TruncateToInt(scripts_->Number(kSettings, "Option", "AdjustX"));
    world_.AdjustY = TruncateToInt(scripts_->Number(kSettings, "Option", "AdjustY"));
    const int port = TruncateToInt(scripts_->Number(kSettings, "Option", "Port"));
    if (world_.UseController) {
        input_.OpenPointer(port, window_.get());
    }
    // Pictures and sounds declared later are read when declared; the rest of those
    // decoded ahead are let go, whether the game started or failed to.
    struct DropDecodedAhead {
        Engine& Owner;
        ~DropDecodedAhead() {
            if (Owner.renderer_ != nullptr) {
                Owner.renderer_->UsePictureLoader(nullptr);
            }
            Owner.pictures_.reset();
            Owner.sounds_.System->DropPrefetched();
        }
    } drop{*this};
    scripts_->Call(kGameScript, "OnGameCreate", true, {});
}

void Engine::KeyDown(int vk) {
    if (!input_.Press(vk)) {
        return;  // an automatic repeat of a key that is still down
    }
    scripts_->Call(kGameScript, "OnKeyEvent", true,
                   {static_cast<double>(static_cast<unsigned>(vk))});
}

void Engine::KeyUp(int vk) {
    input_.Release(vk);
    if (scripts_->Defines("OnKeyUp")) {
        scripts_->Call(kGameScript, "OnKeyUp", true,
                       {static_cast<double>(static_cast<unsigned>(vk))});
    }
}

void Engine::SetPaused(bool paused) {
    if (paused != paused_) {
        paused_ = paused;
        sounds_.SetPaused(paused);
    }
}

void Engine::Update(float dt) {
    const Clock::time_point start = overlayOn_ ? Clock::now() : Clock::time_point{};
    if (!paused_) {
        world_.FrameTime = dt;
        world_.StageTime += dt;
        world_.Update();
        sounds_.Update(world_.FrameTime);
    }
    if (overlayOn_) {
        overlay_.NoteUpdate(dt, MillisecondsSince(start));
    }
}

void Engine::Draw() {
    if (renderer_ == nullptr) {
        return;
    }
    const Clock::time_point start = overlayOn_ ? Clock::now() : Clock::time_point{};
    renderer_->Clear(kBackground);
    if (renderer_->BeginFrame()) {
        renderer_->State().PointSampling = true;
        world_.Draw();
        // Passes over the world draw after it: the overlay last, over everything.
        if (overlayOn_) {
            overlay_.Draw(*renderer_, world_.CurrentObjects(), ScriptErrors, world_.ScreenX,
                          world_.ScreenY);
        }
        renderer_->EndFrame();
    }
    renderer_->Present();
    if (overlayOn_) {
        overlay_.NoteDraw(MillisecondsSince(start), renderer_->LastFrameDrawCalls());
    }
}

}  // namespace Velmora
