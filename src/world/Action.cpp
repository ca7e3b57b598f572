#include "world/Action.h"

#include <memory>

#include "world/BaseObject.h"
#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

namespace {

float Seconds(int ms) {
    return static_cast<float>(ms / 1000.0);
}

}  // namespace

void ActionDelete::operator()(Action* action) const noexcept {
    if (action != nullptr) {
        action->world_->Pool().Delete(action);
    }
}

ActionPtr MakeAction(World& world, std::string name) {
    return ActionPtr(world.Pool().New<Action>(world, std::move(name)));
}

ActionPtr MakeAction(const Action& source) {
    return ActionPtr(source.world_->Pool().New<Action>(source));
}

Action::Action(World& world, std::string name) : world_(&world), Name(std::move(name)) {}

void Action::CallScript(const char* function) {
    BusyScope busy(*this);
    world_->Scripts().Call(ScriptPath(), function, true, {Owner});
}

void Action::Update() {
    const float now = world_->StageTime;
    if (!Begun) {
        if (now >= BeginTime && BeginTime != 0.0f) {
            Begun = true;
            // A bullet's built-in action has no script to tell.
            if (!Name.empty()) {
                CallScript("OnBegin");
            }
        }
        return;
    }
    if (!Acted && now >= BeginTime + ActTime && ActTime != 0.0f) {
        Acted = true;
        CallScript("OnAction");
        if (IsRetired()) {
            return;
        }
    }
    // One period per frame at most: long frames catch up over the following frames.
    if (Interval > 0.0f && now >= IntervalBase + Interval + IntervalSum) {
        IntervalSum += Interval;
        CallScript("OnInterval");
    }
}

void Action::Load() {
    const std::string path = ScriptPath();
    Templates* cache = &world_->KindTemplates();
    if (const Action* stored = cache->FindActionTemplate(path)) {
        *this = *stored;
    } else {
        ScriptPort& scripts = world_->Scripts();
        X = scripts.Number(path, "Info", "X");
        Y = scripts.Number(path, "Info", "Y");
        DX = scripts.Number(path, "Info", "DX");
        DY = scripts.Number(path, "Info", "DY");
        Speed = scripts.Number(path, "Info", "Speed");
        // The template keeps the file's times as whole milliseconds; every load turns
        // them into times of its own stage clock below.
        BeginTime = static_cast<float>(TruncateToInt(scripts.Number(path, "Info", "BeginTime")));
        ActTime = static_cast<float>(TruncateToInt(scripts.Number(path, "Info", "ActTime")));
        Interval = static_cast<float>(TruncateToInt(scripts.Number(path, "Info", "Interval")));
        cache->AddActionTemplate(path, std::make_shared<Action>(*this));
    }
    const int beginMs = TruncateToInt(BeginTime);
    const int actMs = TruncateToInt(ActTime);
    const int intervalMs = TruncateToInt(Interval);
    SetBeginTime(beginMs);
    SetActTime(actMs);
    SetIntervalTime(intervalMs);
}

void Action::SetBeginTime(int ms) {
    Begun = false;
    BeginTime = static_cast<float>(static_cast<double>(world_->StageTime) + ms / 1000.0);
    IntervalBase = BeginTime;
}

void Action::SetActTime(int ms) {
    if (Begun) {
        BeginTime = world_->StageTime;
    }
    Acted = false;
    ActTime = Seconds(ms);
}

void Action::SetIntervalTime(int ms) {
    if (Begun) {
        IntervalBase = world_->StageTime;
    }
    Interval = Seconds(ms);
    IntervalSum = 0.0f;
}

}  // namespace Velmora
