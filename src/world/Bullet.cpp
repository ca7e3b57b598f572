#include "world/Bullet.h"

#include <memory>

#include "resource/SpriteRecord.h"
#include "world/Friend.h"
#include "world/Hero.h"
#include "world/KindRules.h"
#include "world/Mob.h"
#include "world/ScriptPort.h"
#include "world/StageObjects.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Bullet::Bullet(World& world) : TemplatedKind(world) {
    Type = TypeBullet;
    CurAction = MakeAction(world_);
}

Bullet::~Bullet() = default;

void Bullet::CopySettings(const BaseObject& from) {
    CopyFrom(from);
    const auto& source = static_cast<const Bullet&>(from);
    Power = source.Power;
    Speed = source.Speed;
    Positive = source.Positive;
    AutoDirection = source.AutoDirection;
    Name = source.Name;
}

void Bullet::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    ScriptPort& scripts = world_.Scripts();
    Power = TruncateToInt(scripts.Number(path, "Info", "Power"));
    Speed = scripts.Number(path, "Info", "Speed");
    Positive = TruncateToInt(scripts.Number(path, "Info", "Positive")) != 0;
    AutoDirection = TruncateToInt(scripts.Number(path, "Info", "AutoDirection")) != 0;
    Name = scripts.Text(path, "Name");
    if (CurAction) {
        CurAction->Speed = Speed;
    }
}

bool Bullet::OnField() const {
    const World* game = &world_;
    const float fieldWidth = static_cast<float>(game->FieldWidth);
    const float fieldHeight = static_cast<float>(game->FieldHeight);
    if (Sprite == nullptr) {
        // Nothing to see, so nothing to let fly off the edge: the bullet lives while
        // it is on the field itself, edges included.
        return X >= 0.0f && X <= fieldWidth && Y >= 0.0f && Y <= fieldHeight;
    }
    // The field widened by the whole picture on every side; a bullet exactly on that
    // line has left.
    const float w = static_cast<float>(Sprite->ImageWidth);
    const float h = static_cast<float>(Sprite->ImageHeight);
    return -w < X && X < fieldWidth + w && -h < Y && Y < fieldHeight + h;
}

template <typename T>
bool Bullet::HitFirst(const std::vector<T*>& targets) {
    for (T* target : targets) {
        if (target->IsCollide(*this)) {
            Hit(target);
            return true;
        }
    }
    return false;
}

bool Bullet::HitFirstMob(const std::vector<Mob*>& mobs) {
    // Short lists are tested through; the index pays off on long ones.
    const std::vector<std::uint32_t>* near =
        mobs.size() < 32 ? nullptr : world_.MobIndex().Near(mobs, world_.MobsVersion(), *this);
    if (near == nullptr) {
        return HitFirst(mobs);
    }
    for (const std::uint32_t i : *near) {
        if (mobs[i]->IsCollide(*this)) {
            Hit(mobs[i]);
            return true;
        }
    }
    return false;
}

void Bullet::Hit(BaseObject* target) {
    // No iterator into the list survives the scripts: both calls may change it.
    StageObjects* home = world_.CurrentObjects();
    const std::uint64_t serial = target->Serial();
    target->OnDamage(Power);
    if (world_.CurrentObjects() == home && world_.FindLive(serial) == target) {
        OnHit(target);
    }
}

void Bullet::OnHit(BaseObject* target) {
    world_.Scripts().Call("res/object/bullet/" + Name + "/Info.lua", "OnHit", true, {this, target});
}

void Bullet::Update() {
    StageObjects* home = world_.CurrentObjects();
    BaseObject::Update();
    if (!OnField()) {
        Alive = false;
        return;
    }
    StageObjects* stage = world_.CurrentObjects();
    if (stage == nullptr || stage != home) {
        return;
    }
    // The player's bullets hit mobs; the enemies' hit heroes first, friends only when
    // no hero was touched. Whether the bullet goes on is its hit script's decision.
    if (Positive) {
        HitFirstMob(stage->Mobs);
    } else if (!HitFirst(stage->Heroes)) {
        HitFirst(stage->Friends);
    }
}

void Bullet::Draw() {
    if (AutoDirection && CurAction && CurAction->Begun) {
        FaceMotion(*this);
    }
    BaseObject::Draw();
}

}  // namespace Velmora
