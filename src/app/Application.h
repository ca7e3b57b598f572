#pragma once
// Start-up, the main loop and the teardown of one run of a game.
#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "app/CommandLine.h"
#include "input/InputFile.h"
#include "platform/MessageBox.h"

namespace Velmora {

class Engine;
class LuaControl;
class LuaException;

class Application {
public:
    explicit Application(Options options);
    ~Application();

    // Runs the game to its end; returns the process exit status.
    int Run();

    // Messages go to observer instead of a box or standard error (tests, fuzzers).
    void ObserveMessages(std::function<void(const std::string&)> observer) {
        messages_.Observe(std::move(observer));
    }

    // How many LuaExceptions the frame handler has caught.
    int LuaErrorCount() const { return luaErrorCount_; }

private:
    // A key went down or up in frame: held keys, the record and, when the game hears
    // the key, its handlers.
    void HandleKey(long frame, int vk, bool down, bool heard);
    // Runs a step of the game; what it throws becomes a message and the run goes on.
    template <typename Step>
    void Guarded(Step step);
    void ApplyReplayedInput(long frame);
    // Fixes the pointing device's point for the frame about to run, and records it
    // when it changed.
    void SamplePointer();
    void RunFrame(float dt);
    void ReportLuaException(const std::string& text);
    // Writes the frame just drawn to the player's screenshot folder (F12) and says where.
    void SaveKeyScreenshot();
    // Warns of Option keys the engine does not read that look like ones it does.
    void WarnOfMisspeltOptions(LuaControl& lua);
    // Counts a script error and writes each different one to standard error once.
    void NoteScriptError(const LuaException& e);
    void Teardown();
    void Record(const InputEvent& event);
    void CloseRecord();
    // Says why a file the user asked for was not written; the run then exits with 1.
    void ReportWriteFailure(const std::string& path, const std::string& reason);
    void PrintStats() const;

    Options options_;
    Platform::MessageBoxes messages_;
    std::unique_ptr<Engine> engine_;
    bool tornDown_ = false;
    int luaErrorCount_ = 0;
    long scriptErrors_ = 0;
    std::set<std::string> distinctErrors_;
    long frame_ = 0;
    std::size_t nextInput_ = 0;
    InputRecorder recorder_;
    // The point last recorded; a device starts at (0, 0), in a replay too.
    double recordedX_ = 0.0;
    double recordedY_ = 0.0;
    bool writeFailed_ = false;
    bool screenshotWanted_ = false;

    // --stats
    double updateSeconds_ = 0.0;
    double drawSeconds_ = 0.0;
    long drawCalls_ = 0;
    std::size_t peakObjects_ = 0;
    double runSeconds_ = 0.0;
    // From the start of the program to the end of its first frame.
    std::chrono::steady_clock::time_point created_ = std::chrono::steady_clock::now();
    double startupSeconds_ = 0.0;
};

}  // namespace Velmora
