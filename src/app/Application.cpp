#include "app/Application.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>

#include "core/Numbers.h"
#include "core/VirtualKeys.h"
#include "game/Engine.h"
#include "game/SettingKeys.h"
#include "platform/MessageBox.h"
#include "platform/Renderer.h"
#include "platform/SoundSystem.h"
#include "platform/UserFolders.h"
#include "platform/Window.h"
#include "script/LuaControl.h"

namespace Velmora {

namespace {

using Clock = std::chrono::steady_clock;

// The frame handler shows a script failure once, whatever how often it recurs.
const char* const kLuaExceptionPrefix =
    "Lua 관련 예외가 발생했습니다. 이 예외는 반복 발생해도 한 번만 표시됩니다: ";

constexpr int kOverlayKey = 114;     // F3
constexpr int kScreenshotKey = 123;  // F12

// Option.Scale: the window's starting size as a whole multiple of the picture; 0 or
// missing fits the screen, and so does a value out of range, with a warning.
int ReadScale(LuaControl& lua) {
    const int scale = TruncateToInt(lua.GetNumber("Scale", "Option", "setup.lua"));
    if (scale < 0 || scale > 16) {
        std::fprintf(stderr,
                     "velmora: warning: setup.lua: Option.Scale is %d; it takes 1 to 16 (0 or "
                     "none: the largest that fits the screen)\n",
                     scale);
        return 0;
    }
    return scale;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The engine's own code meets std::exception only when the machine's memory ran out
// (the scripts' memory is capped well below that): the frame is lost, not the game.
std::string OutOfEngineMemory(const std::exception& e) {
    return std::string("Velmora ran out of memory (") + e.what() + ").";
}

}  // namespace

Application::Application(Options options)
    : options_(std::move(options)), messages_(options_.Headless) {}

Application::~Application() {
    if (!tornDown_) {
        Teardown();
    }
    CloseRecord();
}

int Application::Run() {
    if (options_.RecordFile) {
        std::string error;
        if (!recorder_.Open(*options_.RecordFile, &error)) {
            ReportWriteFailure(*options_.RecordFile, error);
            return 1;
        }
    }

    auto host = std::make_unique<LuaControl>();
    host->SetChunkCache(options_.ChunkCache);
    host->SetMemoryLimit(options_.LuaMemoryBytes);
    host->SetTimeout(options_.ScriptTimeout);
    host->Warn = [](const std::string& text) {
        std::fprintf(stderr, "velmora: warning: %s\n", text.c_str());
    };
    LuaControl& lua = *host;
    engine_ = std::make_unique<Engine>(std::move(host));
    lua.RegisterFunctions(*engine_);
    // The game is named by its folder, which the run has entered.
    std::error_code noFolder;
    const std::string folderName = std::filesystem::current_path(noFolder).filename().string();
    if (!folderName.empty()) {
        engine_->GameName = folderName;
    }

    int width = 0;
    int height = 0;
    int fullScreen = 0;
    int scale = options_.Scale.value_or(0);
    try {
        // Truncated like every script number: a setting beyond the int range has no
        // defined plain conversion.
        width = TruncateToInt(lua.GetNumber("ScreenWidth", "Option", "setup.lua"));
        height = TruncateToInt(lua.GetNumber("ScreenHeight", "Option", "setup.lua"));
        fullScreen = TruncateToInt(lua.GetNumber("FullScreen", "Option", "setup.lua"));
        if (!options_.Scale) {
            scale = ReadScale(lua);
        }
        WarnOfMisspeltOptions(lua);
        // A misspelt key reads as 0, which still opens a window: a line rather than a
        // puzzle.
        for (const auto& [key, value] :
             {std::pair{"ScreenWidth", width}, {"ScreenHeight", height}}) {
            if (value <= 0) {
                std::fprintf(
                    stderr, "velmora: warning: setup.lua: Option.%s is %d (missing or misspelt?)\n",
                    key, value);
            }
        }
    } catch (const Exception& e) {
        // Without its settings the game cannot even open its window.
        messages_.Show(nullptr, e.GetMessageText());
        engine_.reset();
        tornDown_ = true;
        return 1;
    } catch (const std::exception& e) {
        messages_.Show(nullptr, OutOfEngineMemory(e));
        engine_.reset();
        tornDown_ = true;
        return 1;
    }

    {
        std::string error;
        bool noWindow = false;
        if (!engine_->OpenDisplay(width, height, options_.Headless, scale, fullScreen != 0,
                                  options_.VSync, options_.ScreenshotFile.has_value(), &error,
                                  &noWindow)) {
            if (noWindow) {
                std::fprintf(stderr,
                             "velmora: %s (run on a desktop, under xvfb-run, or with --headless)\n",
                             error.c_str());
            } else {
                messages_.Show(engine_->GetWindow(), "Velmora cannot draw: " + error);
            }
            engine_.reset();
            tornDown_ = true;
            return 1;
        }
    }
    Platform::Window* window = engine_->GetWindow();
    engine_->SetOverlay(options_.Overlay);
    if (options_.Gamepads.value_or(!options_.Headless)) {
        std::string error;
        if (!engine_->OpenGamepads(&error)) {
            std::fprintf(stderr, "velmora: gamepads cannot be used: %s\n", error.c_str());
        }
    }
    try {
        engine_->Start(options_.Seed, !options_.Headless);
    } catch (const LuaException& e) {
        NoteScriptError(e);
        messages_.Show(window, e.GetMessageText());
    } catch (const Exception& e) {
        messages_.Show(window, e.GetMessageText());
    } catch (const std::exception& e) {
        messages_.Show(window, OutOfEngineMemory(e));
    }

    const Clock::time_point runStart = Clock::now();
    Clock::time_point last = Clock::now();
    // With vertical sync the display paces the loop and this never waits; where the
    // driver ignores it (or there is none, as on a virtual display) the loop would
    // otherwise spin a core drawing frames nobody sees.
    const bool paced = window != nullptr && options_.VSync;
    const Clock::duration period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / (paced ? window->RefreshRate() : 60)));
    Clock::time_point nextFrame = Clock::now() + period;
    while (!tornDown_) {
        // Messages are drained before a frame runs, replayed input first.
        ApplyReplayedInput(frame_ + 1);
        Platform::WindowEvent event;
        while (!tornDown_ && window != nullptr && window->PollEvent(event)) {
            switch (event.Type) {
                case Platform::WindowEvent::Kind::KeyDown:
                case Platform::WindowEvent::Kind::KeyUp:
                    HandleKey(frame_ + 1, event.Vk,
                              event.Type == Platform::WindowEvent::Kind::KeyDown, !event.MenuKey);
                    break;
                case Platform::WindowEvent::Kind::Close:
                    Teardown();
                    break;
            }
        }
        std::vector<std::pair<int, bool>> padKeys;
        if (!tornDown_) {
            Guarded([&] { padKeys = engine_->ReadGamepads(); });
        }
        for (std::size_t i = 0; i < padKeys.size() && !tornDown_; ++i) {
            HandleKey(frame_ + 1, padKeys[i].first, padKeys[i].second, true);
        }
        if (tornDown_) {
            break;
        }

        const Clock::time_point now = Clock::now();
        const float dt =
            options_.Dt ? *options_.Dt
                        : static_cast<float>(std::chrono::duration<double>(now - last).count());
        last = Clock::now();
        if (engine_->ExitRequested) {
            Teardown();
            break;
        }
        SamplePointer();
        RunFrame(dt);
        if (frame_ == 0) {
            startupSeconds_ = SecondsSince(created_);
        }
        ++frame_;
        if (options_.Frames && frame_ >= *options_.Frames) {
            Teardown();
        }
        if (paced) {
            const Clock::time_point now = Clock::now();
            if (now < nextFrame) {
                std::this_thread::sleep_until(nextFrame);
                nextFrame += period;
            } else {
                nextFrame = now + period;  // late already: no catching up in a burst
            }
        }
    }
    runSeconds_ = SecondsSince(runStart);
    CloseRecord();
    if (scriptErrors_ > 0) {
        std::fprintf(stderr, "velmora: %ld script error%s in this run, %zu different\n",
                     scriptErrors_, scriptErrors_ == 1 ? "" : "s", distinctErrors_.size());
    }
    if (options_.Stats) {
        PrintStats();
    }
    return writeFailed_ ? 1 : 0;
}

template <typename Step>
void Application::Guarded(Step step) {
    try {
        step();
    } catch (const LuaException& e) {
        NoteScriptError(e);
        ReportLuaException(e.GetMessageText());
    } catch (const Exception& e) {
        messages_.Show(nullptr, e.GetMessageText());
    } catch (const std::exception& e) {
        messages_.Show(nullptr, OutOfEngineMemory(e));
    }
}

void Application::RunFrame(float dt) {
    const Clock::time_point updateStart = Clock::now();
    Guarded([&] { engine_->Update(dt); });
    const Clock::time_point drawStart = Clock::now();
    updateSeconds_ += std::chrono::duration<double>(drawStart - updateStart).count();
    engine_->Draw();
    drawSeconds_ += SecondsSince(drawStart);
    if (screenshotWanted_) {
        SaveKeyScreenshot();
    }
    drawCalls_ += engine_->GetRenderer()->LastFrameDrawCalls();
    peakObjects_ = std::max(peakObjects_, engine_->GetWorld().LiveCount());
}

void Application::SaveKeyScreenshot() {
    screenshotWanted_ = false;
    Platform::Renderer* renderer = engine_->GetRenderer();
    const std::string folder = Platform::UserDataFolder();
    std::string error = folder.empty() ? "there is no home folder (HOME is not set)" : "";
    std::string path;
    if (error.empty()) {
        std::error_code made;
        std::filesystem::create_directories(folder + "/screenshots", made);
        char stamp[32] = "";
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", &local);
        // A second shot within the same second gets a number rather than replacing it.
        const std::string base = folder + "/screenshots/" + engine_->GameName + "-" + stamp;
        path = base + ".png";
        for (int n = 2; std::filesystem::exists(path, made); ++n) {
            path = base + "-" + std::to_string(n) + ".png";
        }
        if (renderer->SaveScreenshot(path, &error)) {
            std::fprintf(stderr, "velmora: screenshot saved to %s\n", path.c_str());
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "velmora: cannot save the screenshot %s: %s\n", path.c_str(),
                     error.c_str());
    }
    renderer->KeepFrames(options_.ScreenshotFile.has_value());
}

void Application::WarnOfMisspeltOptions(LuaControl& lua) {
    // Games may keep settings of their own in Option, so only a key one slip away from
    // one the engine reads is taken for a mistake.
    std::vector<std::string> known;
    for (const SettingKey& key : SetupFile().Keys) {
        known.emplace_back(key.Name);
    }
    for (const std::string& key : lua.TableKeys("Option")) {
        const std::string meant = NearestKey(key, known);
        if (!meant.empty() && meant != key) {
            std::fprintf(stderr,
                         "velmora: warning: setup.lua: the engine reads no Option.%s; did you "
                         "mean %s?\n",
                         key.c_str(), meant.c_str());
        }
    }
}

void Application::NoteScriptError(const LuaException& e) {
    ++scriptErrors_;
    engine_->ScriptErrors = scriptErrors_;
    // The box shows the first error only; each different one is written out once, with
    // where the scripts were, so a second mistake is not hidden behind the first.
    if (distinctErrors_.insert(e.GetMessageText()).second) {
        std::fprintf(stderr, "velmora: script error: %s\n%s", e.GetMessageText().c_str(),
                     e.Context().c_str());
    }
}

void Application::ReportLuaException(const std::string& text) {
    ++luaErrorCount_;
    if (luaErrorCount_ <= 1) {
        messages_.Show(nullptr, kLuaExceptionPrefix + text);
    }
}

void Application::HandleKey(long frame, int vk, bool down, bool heard) {
    engine_->GetInput().SetDown(vk, down);
    if (!heard) {
        return;  // menu keys steer but are neither heard by the game nor recorded
    }
    Record(InputEvent{frame, down ? InputEvent::Kind::Down : InputEvent::Kind::Up, vk, 0.0, 0.0});
    // F12 asks for the next frame's picture, which the frame keeps for it.
    if (down && vk == kScreenshotKey && !options_.Headless &&
        engine_->GetRenderer()->CanSaveScreenshots()) {
        engine_->GetRenderer()->KeepFrames(true);
        screenshotWanted_ = true;
    }
    // F3 shows the overlay in play, and still reaches the game. A screenshot has the
    // overlay only when --overlay asked for it.
    if (down && vk == kOverlayKey && !options_.Headless && !options_.ScreenshotFile) {
        engine_->SetOverlay(!engine_->OverlayOn());
    }
    if (down) {
        Guarded([&] { engine_->KeyDown(vk); });
    }
    // Escape ends the game on its press; its release is heard first.
    if (!down || vk == VK_ESCAPE) {
        Guarded([&] { engine_->KeyUp(vk); });
    }
    if (vk == VK_ESCAPE) {
        Teardown();
    }
}

void Application::ApplyReplayedInput(long frame) {
    const std::vector<InputEvent>& input = options_.Input;
    while (!tornDown_ && nextInput_ < input.size() && input[nextInput_].Frame <= frame) {
        const InputEvent event = input[nextInput_++];
        // A point is recorded as the frame takes it up (SamplePointer).
        if (event.Type == InputEvent::Kind::Point) {
            engine_->GetInput().InjectPoint(event.X, event.Y);
        } else {
            HandleKey(frame, event.Vk, event.Type == InputEvent::Kind::Down, true);
        }
    }
}

void Application::SamplePointer() {
    Input& input = engine_->GetInput();
    input.SamplePointer();
    // The record holds every change of the point frames steer by, in the frame that
    // first used it, so that its replay puts the hero where this run did.
    if (input.PointX() != recordedX_ || input.PointY() != recordedY_) {
        recordedX_ = input.PointX();
        recordedY_ = input.PointY();
        Record(InputEvent{frame_ + 1, InputEvent::Kind::Point, 0, recordedX_, recordedY_});
    }
}

void Application::Record(const InputEvent& event) {
    std::string error;
    if (!recorder_.Write(event, &error)) {
        ReportWriteFailure(*options_.RecordFile, error);
    }
}

void Application::CloseRecord() {
    std::string error;
    if (!recorder_.Close(&error)) {
        ReportWriteFailure(*options_.RecordFile, error);
    }
}

void Application::ReportWriteFailure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "velmora: cannot write %s: %s\n", path.c_str(), reason.c_str());
    std::fflush(stderr);
    writeFailed_ = true;
}

void Application::Teardown() {
    if (tornDown_) {
        return;
    }
    tornDown_ = true;
    Platform::Renderer* renderer = engine_ != nullptr ? engine_->GetRenderer() : nullptr;
    if (options_.ScreenshotFile && renderer != nullptr) {
        std::string error;
        if (!renderer->CanSaveScreenshots()) {
            std::fprintf(stderr,
                         "velmora: cannot write the screenshot %s (it needs the OpenGL device)\n",
                         options_.ScreenshotFile->c_str());
            writeFailed_ = true;
        } else if (!renderer->SaveScreenshot(*options_.ScreenshotFile, &error)) {
            ReportWriteFailure(*options_.ScreenshotFile, error);
        }
    }
    engine_.reset();
}

void Application::PrintStats() const {
    const double frames = frame_ > 0 ? static_cast<double>(frame_) : 1.0;
    std::printf(
        "frames=%ld seconds=%.3f fps=%.1f update_ms=%.3f draw_ms=%.3f draws=%.1f objects=%zu "
        "startup_ms=%.1f\n",
        frame_, runSeconds_, runSeconds_ > 0.0 ? frame_ / runSeconds_ : 0.0,
        updateSeconds_ * 1000.0 / frames, drawSeconds_ * 1000.0 / frames, drawCalls_ / frames,
        peakObjects_, startupSeconds_ * 1000.0);
    std::fflush(stdout);
}

}  // namespace Velmora
