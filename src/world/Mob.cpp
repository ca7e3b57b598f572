#include "world/Mob.h"

#include <memory>

#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/KindRules.h"
#include "world/Templates.h"

namespace Velmora {

Mob::Mob() {
    Type = TypeMob;
}

Mob::~Mob() = default;

void Mob::CopyMob(const Mob& source) {
    CopyFrom(source);
    Name = source.Name;
    HP = source.HP;
    Score = source.Score;
    AutoDirection = source.AutoDirection;
}

void Mob::Load(const std::string& path) {
    Templates* cache = Templates::GetInstance();
    if (const auto* stored = dynamic_cast<const Mob*>(cache->FindObjectTemplate(path))) {
        CopyMob(*stored);
        return;
    }
    BaseObject::Load(path);
    LuaControl* lua = LuaControl::GetInstance();
    Name = lua->GetString("Name", path);
    HP = TruncateToInt(lua->GetNumber("HP", "Info", path));
    Score = TruncateToInt(lua->GetNumber("Score", "Info", path));
    // A Lua boolean reads as 0 here: the flag must be written as a number.
    AutoDirection = TruncateToInt(lua->GetNumber("AutoDirection", "Info", path)) != 0;
    auto stored = std::make_shared<Mob>();
    stored->CopyMob(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

void Mob::Update() {
    BaseObject::Update();
    KeepOnScreen(*this);
}

void Mob::Draw() {
    // A mob waiting for its action is neither seen nor hit: it may be placed long
    // before it enters.
    if (!CurAction || !CurAction->Begun) {
        return;
    }
    if (AutoDirection) {
        FaceMotion(*this);
    }
    BaseObject::Draw();
}

void Mob::OnDamage(int amount) {
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/object/mob/" + Name + "/Info.lua");
    lua->SelectFunction("OnDamage");
    PushHandle(lua->GetState(), this);
    lua_pushnumber(lua->GetState(), amount);
    lua->CallFunction(2);
}

}  // namespace Velmora
