#pragma once
// The world of a running game: the current stage and the stages it left this frame,
// the system object whose action outlives stages, the clocks, the field, the screen
// offset, the kinds' templates and the registry that turns script handles into
// objects. Every object and action reaches what a frame needs through its world.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "world/HitIndex.h"
#include "world/ObjectPool.h"
#include "world/Templates.h"

namespace Velmora {

class BaseObject;
class Input;
class ResourceMgr;
class ScriptPort;
class Stage;
class StageObjects;

class World {
public:
    World(ScriptPort& scripts, ResourceMgr& resources, const Input& input);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    ScriptPort& Scripts() const { return scripts_; }
    ResourceMgr& Resources() const { return resources_; }
    const Input& Controls() const { return input_; }
    Templates& KindTemplates() { return templates_; }
    // Where the stages' objects and every action live.
    ObjectPool& Pool() { return pool_; }

    // Makes the system object; the game does so before its first script runs.
    void CreateSystemObject();
    BaseObject* SystemObject() const { return systemObject_.get(); }

    void ActiveStage(const std::string& name);
    void RemoveCurStage();
    Stage* CurStage() const { return curStage_; }
    // The current stage's objects, or null when no stage is current. A callback may
    // replace or remove the stage; a kind's update compares this before and after its
    // callbacks and stops when it changed, since the old lists are no longer the world.
    StageObjects* CurrentObjects() const;

    // One frame of the world: the system object's action, then the current stage.
    void Update();
    void Draw();

    // Script handles: every object has a serial never given again in this run.
    // Throws past kMostObjects live objects.
    std::uint64_t Enlist(BaseObject* object);
    static constexpr std::size_t kMostObjects = 200000;
    void Delist(std::uint64_t serial);
    BaseObject* FindLive(std::uint64_t serial) const;
    std::size_t LiveCount() const { return live_.size(); }
    void ForEachLive(const std::function<void(const BaseObject&)>& visit) const;

    // Where bullets look for the mobs they may hit. Its version changes whenever a mob
    // may have moved: a mob's update, or any script run.
    HitIndex& MobIndex() { return mobIndex_; }
    std::uint64_t MobsVersion() const;
    void MobMoved() { ++mobMoves_; }

    float FrameTime = 0.0f;
    float StageTime = 0.0f;
    int FieldWidth = 450;
    int FieldHeight = 600;
    // Drawn everything but score boards shifted by this (shaking, scrolling).
    int ScreenX = 0;
    int ScreenY = 0;
    // The hero follows the pointing device instead of the keys, at (AdjustX + x,
    // AdjustY - y): the device's y axis points up, the field's down.
    bool UseController = false;
    int AdjustX = 0;
    int AdjustY = 0;

private:
    // A stage that scripts replace or remove may still be walked by the code that
    // called the script (its own update pass, its loading, one of its creation
    // operations), so it is only destroyed at the end of the frame's update or with
    // the world.
    void RetireCurStage();
    void DestroyRetiredStages();
    // Pictures declared again under their name leave their old record to the objects
    // that still show it; once none does (typically their stage has gone), it goes.
    void ReleaseUnusedPictures(bool stagesWent) noexcept;

    ScriptPort& scripts_;
    ResourceMgr& resources_;
    const Input& input_;
    // Declared before everything that holds objects or actions, so that it goes last.
    ObjectPool pool_;
    std::unordered_map<std::uint64_t, BaseObject*> live_;
    std::uint64_t lastSerial_ = 0;
    // Declared after the registry: templates and stages leave it as they go.
    Templates templates_;
    std::unique_ptr<BaseObject> systemObject_;
    Stage* curStage_ = nullptr;
    std::vector<Stage*> retiredStages_;
    std::size_t displacedSeen_ = 0;
    HitIndex mobIndex_;
    std::uint64_t mobMoves_ = 0;
};

}  // namespace Velmora
