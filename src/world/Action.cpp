#include "world/Action.h"

#include <memory>

#include "game/CGame.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/BaseObject.h"
#include "world/Templates.h"

namespace Velmora {

namespace {

float StageNow() {
    return CGame::GetInstance()->StageTime;
}

float Seconds(int ms) {
    return static_cast<float>(ms / 1000.0);
}

}  // namespace

Action::Action(std::string name) : Name(std::move(name)) {}

void Action::CallScript(const char* function) {
    BusyScope busy(*this);
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile(ScriptPath());
    lua->SelectFunction(function);
    PushHandle(lua->GetState(), Owner);
    lua->CallFunction(1);
}

void Action::Update() {
    const float now = StageNow();
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
    Templates* cache = Templates::GetInstance();
    if (const Action* stored = cache->FindActionTemplate(path)) {
        *this = *stored;
    } else {
        LuaControl* lua = LuaControl::GetInstance();
        X = lua->GetNumber("X", "Info", path);
        Y = lua->GetNumber("Y", "Info", path);
        DX = lua->GetNumber("DX", "Info", path);
        DY = lua->GetNumber("DY", "Info", path);
        Speed = lua->GetNumber("Speed", "Info", path);
        // The template keeps the file's times as whole milliseconds; every load turns
        // them into times of its own stage clock below.
        BeginTime = static_cast<float>(TruncateToInt(lua->GetNumber("BeginTime", "Info", path)));
        ActTime = static_cast<float>(TruncateToInt(lua->GetNumber("ActTime", "Info", path)));
        Interval = static_cast<float>(TruncateToInt(lua->GetNumber("Interval", "Info", path)));
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
    BeginTime = static_cast<float>(static_cast<double>(StageNow()) + ms / 1000.0);
    IntervalBase = BeginTime;
}

void Action::SetActTime(int ms) {
    if (Begun) {
        BeginTime = StageNow();
    }
    Acted = false;
    ActTime = Seconds(ms);
}

void Action::SetIntervalTime(int ms) {
    if (Begun) {
        IntervalBase = StageNow();
    }
    Interval = Seconds(ms);
    IntervalSum = 0.0f;
}

}  // namespace Velmora
