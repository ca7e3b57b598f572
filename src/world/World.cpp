#include "world/World.h"

#include <exception>
#include <string>
#include <unordered_set>

#include "core/Error.h"

#include "resource/ResourceMgr.h"
#include "world/BaseObject.h"
#include "world/ScriptPort.h"
#include "world/Stage.h"

namespace Velmora {

World::World(ScriptPort& scripts, ResourceMgr& resources, const Input& input)
    : scripts_(scripts), resources_(resources), input_(input) {}

World::~World() {
    systemObject_.reset();
    delete curStage_;
    curStage_ = nullptr;
    DestroyRetiredStages();
}

void World::CreateSystemObject() {
    systemObject_ = std::make_unique<BaseObject>(*this);
}

StageObjects* World::CurrentObjects() const {
    return curStage_ != nullptr ? curStage_->Objects.get() : nullptr;
}

std::uint64_t World::Enlist(BaseObject* object) {
    // Objects made during a frame's pass are updated in that pass, so an object that
    // makes another as it starts would otherwise keep one frame going until memory
    // ran out. The creating call fails instead, as a script error.
    if (live_.size() >= kMostObjects) {
        throw LuaException("the game already holds " + std::to_string(kMostObjects) +
                           " objects, the most the engine keeps: no more are made (do objects "
                           "create objects without end?)");
    }
    // 64 bits do not run out: a billion objects a second would take centuries.
    const std::uint64_t serial = ++lastSerial_;
    live_.emplace(serial, object);
    return serial;
}

void World::Delist(std::uint64_t serial) {
    live_.erase(serial);
}

BaseObject* World::FindLive(std::uint64_t serial) const {
    const auto found = live_.find(serial);
    return found != live_.end() ? found->second : nullptr;
}

void World::ForEachLive(const std::function<void(const BaseObject&)>& visit) const {
    for (const auto& entry : live_) {
        visit(*entry.second);
    }
}

void World::Update() {
    // Stages left during this frame go at its end, also when a script failure ends
    // the frame early: a game that fails every frame must not pile them up.
    struct RetiredStageCollector {
        World* world;
        ~RetiredStageCollector() { world->DestroyRetiredStages(); }
    } collector{this};
    if (systemObject_ != nullptr) {
        systemObject_->Update();
    }
    if (curStage_ != nullptr) {
        curStage_->Objects->Update();
    }
}

void World::Draw() {
    if (curStage_ != nullptr) {
        curStage_->Objects->Draw();
    }
}

void World::RetireCurStage() {
    if (curStage_ == nullptr) {
        return;
    }
    curStage_->Objects->Retire();
    retiredStages_.push_back(curStage_);
    curStage_ = nullptr;
}

void World::DestroyRetiredStages() {
    // Swapped out first: destroying objects runs no script, but stay safe if it did.
    std::vector<Stage*> doomed;
    doomed.swap(retiredStages_);
    for (Stage* stage : doomed) {
        delete stage;
    }
    ReleaseUnusedPictures(!doomed.empty());
}

void World::ReleaseUnusedPictures(bool stagesWent) noexcept {
    const std::size_t displaced = resources_.DisplacedCount();
    // Only a new declaration or a stage that went can have changed the answer.
    if (displaced == 0 || (!stagesWent && displaced == displacedSeen_)) {
        return;
    }
    try {
        std::unordered_set<const void*> used;
        ForEachLive([&used](const BaseObject& object) {
            used.insert(object.Sprite);
            used.insert(object.CurAni);
            used.insert(object.TextFont);
        });
        resources_.ReleaseDisplaced(used);
    } catch (const std::exception&) {
        // Out of memory while looking: the records simply stay a while longer.
    }
    displacedSeen_ = resources_.DisplacedCount();
}

void World::ActiveStage(const std::string& name) {
    RetireCurStage();
    StageTime = 0.0f;
    curStage_ = new Stage(*this);
    curStage_->Load(name);
    StageTime = 0.0f;
}

void World::RemoveCurStage() {
    RetireCurStage();
}

std::uint64_t World::MobsVersion() const {
    // Both only grow, so their sum changes whenever either does.
    return scripts_.Runs() + mobMoves_;
}

}  // namespace Velmora
