#include "world/Mob.h"

#include <memory>

#include "world/KindRules.h"
#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Mob::Mob(World& world) : TemplatedKind(world) {
    Type = TypeMob;
}

Mob::~Mob() = default;

void Mob::CopySettings(const BaseObject& from) {
    CopyFrom(from);
    const auto& source = static_cast<const Mob&>(from);
    Name = source.Name;
    HP = source.HP;
    Score = source.Score;
    AutoDirection = source.AutoDirection;
}

void Mob::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    ScriptPort& scripts = world_.Scripts();
    Name = scripts.Text(path, "Name");
    HP = TruncateToInt(scripts.Number(path, "Info", "HP"));
    Score = TruncateToInt(scripts.Number(path, "Info", "Score"));
    // A Lua boolean reads as 0 here: the flag must be written as a number.
    AutoDirection = TruncateToInt(scripts.Number(path, "Info", "AutoDirection")) != 0;
}

void Mob::Update() {
    world_.MobMoved();
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
    world_.Scripts().Call("res/object/mob/" + Name + "/Info.lua", "OnDamage", true,
                          {this, static_cast<double>(amount)});
}

}  // namespace Velmora
