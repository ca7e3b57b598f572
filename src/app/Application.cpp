#include "app/Application.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/CInitD3D.h"
#include "game/CGame.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "platform/Screen.h"
#include "platform/SoundSystem.h"
#include "platform/Window.h"
#include "resource/ResourceMgr.h"
#include "script/LuaControl.h"
#include "sound/SoundController.h"
#include "world/BaseObject.h"
#include "world/Stage.h"
#include "world/Templates.h"

namespace Velmora {

namespace {

using Clock = std::chrono::steady_clock;

// The frame handler shows a script failure once, whatever how often it recurs.
const char* const kLuaExceptionPrefix =
    "Lua 관련 예외가 발생했습니다. 이 예외는 반복 발생해도 한 번만 표시됩니다: ";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The engine's own code meets std::exception only when the machine's memory ran out
// (the scripts' memory is capped well below that): the frame is lost, not the game.
std::string OutOfEngineMemory(const std::exception& e) {
    return std::string("Velmora ran out of memory (") + e.what() + ").";
}

// Ends whatever a start-up that stopped early had made. Scripts run by the settings
// file can reach the game controller and the managers before the game exists.
void DestroyEngine() {
    CGame::DestroyInstance();
    ResourceMgr::DestroyInstance();
    LuaControl::DestroyInstance();
    SoundController::DestroyInstance();
    Templates::DestroyInstance();
}

// The render callback: draws the current stage, if there is one.
void DrawCurrentStage() {
    CGame* game = CGame::Existing();
    if (game != nullptr && game->CurStage != nullptr) {
        game->CurStage->Objects->Draw();
    }
}

}  // namespace

Application::Application(Options options) : options_(std::move(options)) {}

Application::~Application() {
    if (!tornDown_) {
        Teardown();
    }
    CloseRecord();
}

int Application::Run() {
    Platform::SetHeadlessMessages(options_.Headless);
    Platform::SetAudioOutputEnabled(!options_.Headless);
    if (options_.RecordFile) {
        record_ = std::fopen(options_.RecordFile->c_str(), "w");
        if (record_ == nullptr) {
            ReportWriteFailure(*options_.RecordFile, std::strerror(errno));
            return 1;
        }
    }

    int fullScreen = 0;
    try {
        LuaControl* lua = LuaControl::GetInstance();
        lua->SetChunkCache(options_.ChunkCache);
        lua->SetMemoryLimit(options_.LuaMemoryBytes);
        lua->SetTimeout(options_.ScriptTimeout);
        lua->RegisterFunctions();
        // Truncated like every script number: a setting beyond the int range has no
        // defined plain conversion.
        g_screenWidth = TruncateToInt(lua->GetNumber("ScreenWidth", "Option", "setup.lua"));
        g_screenHeight = TruncateToInt(lua->GetNumber("ScreenHeight", "Option", "setup.lua"));
        fullScreen = TruncateToInt(lua->GetNumber("FullScreen", "Option", "setup.lua"));
    } catch (const Exception& e) {
        // Without its settings the game cannot even open its window.
        Platform::ShowMessageBox(nullptr, e.GetMessageText());
        DestroyEngine();
        tornDown_ = true;
        return 1;
    } catch (const std::exception& e) {
        Platform::ShowMessageBox(nullptr, OutOfEngineMemory(e));
        DestroyEngine();
        tornDown_ = true;
        return 1;
    }

    if (!options_.Headless) {
        std::string error;
        window_ = Platform::Window::Create("Velmora Quellix v1.0", "vq_zest", g_screenWidth,
                                           g_screenHeight, &error);
        if (window_ == nullptr) {
            std::fprintf(stderr,
                         "velmora: %s (run on a desktop, under xvfb-run, or with --headless)\n",
                         error.c_str());
            DestroyEngine();
            tornDown_ = true;
            return 1;
        }
    }

    d3d_ = new CInitD3D();
    d3d_->RenderCallback = DrawCurrentStage;
    d3d_->VSync = options_.VSync;
    d3d_->KeepFrames = options_.ScreenshotFile.has_value();
    {
        std::string error;
        if (!d3d_->Init(window_.get(), fullScreen != 0, &error)) {
            Platform::ShowMessageBox(window_.get(), "Velmora cannot draw: " + error);
            delete d3d_;
            d3d_ = nullptr;
            DestroyEngine();
            tornDown_ = true;
            return 1;
        }
    }

    CGame* game = CGame::GetInstance();
    game->D3D = d3d_;
    game->Device = d3d_->Device.get();
    game->GameWindow = window_.get();
    if (options_.Seed) {
        game->HasSeed = true;
        game->Seed = *options_.Seed;
    }
    game->SetupResources();
    try {
        game->Init();
    } catch (const Exception& e) {
        Platform::ShowMessageBox(window_.get(), e.GetMessageText());
    } catch (const std::exception& e) {
        Platform::ShowMessageBox(window_.get(), OutOfEngineMemory(e));
    }

    const Clock::time_point runStart = Clock::now();
    Clock::time_point last = Clock::now();
    while (!tornDown_) {
        // Messages are drained before a frame runs, replayed input first.
        ApplyReplayedInput(frame_ + 1);
        Platform::WindowEvent event;
        while (!tornDown_ && window_ != nullptr && window_->PollEvent(event)) {
            switch (event.Type) {
                case Platform::WindowEvent::Kind::KeyDown:
                    Record(InputEvent{frame_ + 1, InputEvent::Kind::Down, event.Vk, 0.0, 0.0});
                    DispatchKeyDown(event.Vk);
                    break;
                case Platform::WindowEvent::Kind::KeyUp:
                    Record(InputEvent{frame_ + 1, InputEvent::Kind::Up, event.Vk, 0.0, 0.0});
                    DispatchKeyUp(event.Vk);
                    break;
                case Platform::WindowEvent::Kind::Close:
                    Teardown();
                    break;
            }
        }
        if (tornDown_) {
            break;
        }

        const Clock::time_point now = Clock::now();
        game->FrameTime =
            options_.Dt ? *options_.Dt
                        : static_cast<float>(std::chrono::duration<double>(now - last).count());
        game->StageTime += game->FrameTime;
        last = Clock::now();
        if (game->ExitRequested) {
            Teardown();
            break;
        }
        SamplePointer();
        RunFrame();
        if (frame_ == 0) {
            startupSeconds_ = SecondsSince(created_);
        }
        ++frame_;
        if (options_.Frames && frame_ >= *options_.Frames) {
            Teardown();
        }
    }
    runSeconds_ = SecondsSince(runStart);
    CloseRecord();
    if (options_.Stats) {
        PrintStats();
    }
    return writeFailed_ ? 1 : 0;
}

void Application::RunFrame() {
    CGame* game = CGame::GetInstance();
    const Clock::time_point updateStart = Clock::now();
    try {
        game->Update();
    } catch (const LuaException& e) {
        ReportLuaException(e.GetMessageText());
    } catch (const Exception& e) {
        Platform::ShowMessageBox(nullptr, e.GetMessageText());
    } catch (const std::exception& e) {
        Platform::ShowMessageBox(nullptr, OutOfEngineMemory(e));
    }
    const Clock::time_point drawStart = Clock::now();
    updateSeconds_ += std::chrono::duration<double>(drawStart - updateStart).count();
    d3d_->Render();
    drawSeconds_ += SecondsSince(drawStart);
    drawCalls_ += d3d_->Device->LastFrameDrawCalls();
    peakObjects_ = std::max(peakObjects_, BaseObject::LiveCount());
}

void Application::ReportLuaException(const std::string& text) {
    ++luaErrorCount_;
    if (luaErrorCount_ <= 1) {
        Platform::ShowMessageBox(nullptr, kLuaExceptionPrefix + text);
    }
}

void Application::DispatchKeyDown(int vk) {
    try {
        CGame::GetInstance()->OnKeyDown(vk);
    } catch (const LuaException& e) {
        ReportLuaException(e.GetMessageText());
    } catch (const Exception& e) {
        Platform::ShowMessageBox(nullptr, e.GetMessageText());
    } catch (const std::exception& e) {
        Platform::ShowMessageBox(nullptr, OutOfEngineMemory(e));
    }
    if (vk == Platform::VK_ESCAPE) {
        DispatchKeyUp(vk);
    }
}

void Application::DispatchKeyUp(int vk) {
    CGame::OnKeyUp(vk);
    if (vk == Platform::VK_ESCAPE) {
        Teardown();
    }
}

void Application::ApplyReplayedInput(long frame) {
    const std::vector<InputEvent>& input = options_.Input;
    while (!tornDown_ && nextInput_ < input.size() && input[nextInput_].Frame <= frame) {
        const InputEvent event = input[nextInput_++];
        // A point is recorded as the frame takes it up (SamplePointer).
        if (event.Type != InputEvent::Kind::Point) {
            Record(InputEvent{frame, event.Type, event.Vk, 0.0, 0.0});
        }
        switch (event.Type) {
            case InputEvent::Kind::Down:
                Platform::SetKeyDown(event.Vk, true);
                DispatchKeyDown(event.Vk);
                break;
            case InputEvent::Kind::Up:
                Platform::SetKeyDown(event.Vk, false);
                DispatchKeyUp(event.Vk);
                break;
            case InputEvent::Kind::Point:
                Platform::PointerInjectPoint(event.X, event.Y);
                break;
        }
    }
}

void Application::SamplePointer() {
    CGame* game = CGame::GetInstance();
    game->SamplePointer();
    // The record holds every change of the point frames steer by, in the frame that
    // first used it, so that its replay puts the hero where this run did.
    if (game->PointX != recordedX_ || game->PointY != recordedY_) {
        recordedX_ = game->PointX;
        recordedY_ = game->PointY;
        Record(InputEvent{frame_ + 1, InputEvent::Kind::Point, 0, recordedX_, recordedY_});
    }
}

void Application::Record(const InputEvent& event) {
    if (record_ == nullptr) {
        return;
    }
    // Flushed line by line, so a run that crashes keeps what it played so far.
    if (std::fprintf(record_, "%s\n", FormatInputEvent(event).c_str()) < 0 ||
        std::fflush(record_) != 0) {
        // The rest of the run would be recorded with a gap: it is not recorded at all.
        ReportWriteFailure(*options_.RecordFile, std::strerror(errno));
        std::fclose(record_);
        record_ = nullptr;
    }
}

void Application::CloseRecord() {
    if (record_ != nullptr) {
        const bool closed = std::fclose(record_) == 0;
        record_ = nullptr;
        if (!closed) {
            ReportWriteFailure(*options_.RecordFile, std::strerror(errno));
        }
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
    if (options_.ScreenshotFile && d3d_ != nullptr && d3d_->Device != nullptr) {
        std::string error;
        if (!d3d_->Device->CanSaveScreenshots()) {
            std::fprintf(stderr,
                         "velmora: cannot write the screenshot %s (it needs the OpenGL device)\n",
                         options_.ScreenshotFile->c_str());
            writeFailed_ = true;
        } else if (!d3d_->Device->SaveScreenshot(*options_.ScreenshotFile, &error)) {
            ReportWriteFailure(*options_.ScreenshotFile, error);
        }
    }
    CGame::DestroyInstance();
    delete d3d_;
    d3d_ = nullptr;
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
