#include "game/CGame.h"

#include <cstdlib>
#include <ctime>
#include <exception>
#include <unordered_set>

#include "platform/Pointer.h"
#include "resource/ResourceMgr.h"
#include "script/LuaControl.h"
#include "sound/SoundController.h"
#include "world/BaseObject.h"
#include "world/Stage.h"
#include "world/Templates.h"

namespace Velmora {

std::map<int, bool> CGame::keyStates;

CGame::CGame() = default;

CGame::~CGame() {
    Platform::PointerClose();
    delete SystemObject;
    SystemObject = nullptr;
    ResourceMgr::DestroyInstance();
    LuaControl::DestroyInstance();
    SoundController::DestroyInstance();
    Templates::DestroyInstance();
    delete CurStage;
    CurStage = nullptr;
    DestroyRetiredStages();
}

void CGame::SetupResources() {
    std::srand(HasSeed ? Seed : static_cast<unsigned>(std::time(nullptr)));
    ResourceMgr::GetInstance()->SetDevice(Device);
}

void CGame::Init() {
    SoundController* sound = SoundController::GetInstance();
    SoundController::CheckResult(Platform::SoundSystemCreate(&sound->System));
    SoundController::CheckResult(sound->System->Init(20));

    SystemObject = new BaseObject();

    LuaControl* lua = LuaControl::GetInstance();
    UseController = TruncateToInt(lua->GetNumber("Controller", "Option", "setup.lua")) != 0;
    AdjustX = TruncateToInt(lua->GetNumber("AdjustX", "Option", "setup.lua"));
    AdjustY = TruncateToInt(lua->GetNumber("AdjustY", "Option", "setup.lua"));
    Port = TruncateToInt(lua->GetNumber("Port", "Option", "setup.lua"));

    if (UseController) {
        Platform::PointerConfigure(Port, GameWindow);
        Platform::PointerOpen(4, 3.0);
    }

    lua->DoFile("res/script/GameState.lua");
    lua->SelectFunction("OnGameCreate");
    lua->CallFunction(0);
}

void CGame::SamplePointer() {
    Platform::PointerGetPoint(&PointX, &PointY);
}

void CGame::Update() {
    // Stages left during this frame go at its end, also when a script failure ends
    // the frame early: a game that fails every frame must not pile them up.
    struct RetiredStageCollector {
        CGame* game;
        ~RetiredStageCollector() { game->DestroyRetiredStages(); }
    } collector{this};
    if (SystemObject != nullptr) {
        SystemObject->Update();
    }
    if (CurStage != nullptr) {
        CurStage->Objects->Update();
    }
    SoundController::GetInstance()->Update(FrameTime);
}

void CGame::RetireCurStage() {
    if (CurStage == nullptr) {
        return;
    }
    CurStage->Objects->Retire();
    retiredStages_.push_back(CurStage);
    CurStage = nullptr;
}

void CGame::DestroyRetiredStages() {
    // Swapped out first: destroying objects runs no script, but stay safe if it did.
    std::vector<Stage*> doomed;
    doomed.swap(retiredStages_);
    for (Stage* slot : doomed) {
        delete slot;
    }
    ReleaseUnusedPictures(!doomed.empty());
}

void CGame::ReleaseUnusedPictures(bool stagesWent) noexcept {
    ResourceMgr* resources = ResourceMgr::Existing();
    if (resources == nullptr) {
        return;
    }
    const std::size_t displaced = resources->DisplacedCount();
    // Only a new declaration or a stage that went can have changed the answer.
    if (displaced == 0 || (!stagesWent && displaced == displacedSeen_)) {
        return;
    }
    try {
        std::unordered_set<const void*> used;
        BaseObject::ForEachLive([&used](const BaseObject& object) {
            used.insert(object.Sprite);
            used.insert(object.CurAni);
        });
        resources->ReleaseDisplaced(used);
    } catch (const std::exception&) {
        // Out of memory while looking: the records simply stay a while longer.
    }
    displacedSeen_ = resources->DisplacedCount();
}

void CGame::ActiveStage(const std::string& name) {
    RetireCurStage();
    StageTime = 0.0f;
    CurStage = new Stage();
    CurStage->Load(name);
    StageTime = 0.0f;
}

void CGame::RemoveCurStage() {
    RetireCurStage();
}

void CGame::OnKeyDown(int key) {
    bool& held = keyStates[key];
    if (held) {
        return;  // an automatic repeat of a key that is still down
    }
    held = true;
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/script/GameState.lua");
    lua->SelectFunction("OnKeyEvent");
    lua_pushnumber(lua->GetState(), static_cast<double>(static_cast<unsigned>(key)));
    lua->CallFunction(1);
}

void CGame::OnKeyUp(int key) {
    keyStates[key] = false;
}

}  // namespace Velmora
