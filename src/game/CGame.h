#pragma once
// The game controller: the current stage, the game-wide clocks and settings, the
// start-up script, key routing, the per-frame update and the ordered teardown.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/Singleton.h"

namespace Velmora {

class BaseObject;
class CInitD3D;
class Stage;
namespace Platform {
class Renderer;
class Window;
}  // namespace Platform

class CGame : public Singleton<CGame> {
public:
    CGame();
    ~CGame() override;

    void SetupResources();
    void Init();
    void Update();
    // Reads the pointing device's point for the frame about to run.
    void SamplePointer();
    void ActiveStage(const std::string& name);
    void RemoveCurStage();
    void OnKeyDown(int key);
    static void OnKeyUp(int key);

    CInitD3D* D3D = nullptr;               // owned by the application, not by the controller
    Platform::Renderer* Device = nullptr;  // the device D3D owns
    Stage* CurStage = nullptr;
    BaseObject* SystemObject = nullptr;
    int ScreenX = 0;
    int ScreenY = 0;
    int FieldWidth = 450;
    int FieldHeight = 600;
    float FrameTime = 0.0f;
    float StageTime = 0.0f;
    bool UseController = false;
    int Port = 0;
    int AdjustX = 0;
    int AdjustY = 0;
    bool ExitRequested = false;

    // The game window (null when headless), not owned: the pointing device follows the
    // mouse over it when no port is configured.
    Platform::Window* GameWindow = nullptr;
    // The pointing device's point (device units, y upward) as SamplePointer read it: one
    // point for a whole frame, which is also the point its input record holds.
    double PointX = 0.0;
    double PointY = 0.0;

    // A fixed seed for the random generator (--seed); the clock seeds it otherwise.
    bool HasSeed = false;
    unsigned Seed = 0;

    static std::map<int, bool> keyStates;

private:
    // A stage that scripts replace or remove may still be walked by the code that
    // called the script (its own update pass, its loading, one of its creation
    // operations), so it is only destroyed at the end of the frame's update or at
    // teardown.
    void RetireCurStage();
    void DestroyRetiredStages();
    // Pictures declared again under their name leave their old record to the objects
    // that still show it; once none does (typically their stage has gone), it goes.
    void ReleaseUnusedPictures(bool stagesWent) noexcept;

    std::vector<Stage*> retiredStages_;
    std::size_t displacedSeen_ = 0;
};

}  // namespace Velmora
