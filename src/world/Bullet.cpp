#include "world/Bullet.h"

#include <memory>

#include "game/CGame.h"
#include "resource/SpriteRecord.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/Friend.h"
#include "world/Hero.h"
#include "world/KindRules.h"
#include "world/Mob.h"
#include "world/StageObjects.h"
#include "world/Templates.h"

namespace Velmora {

Bullet::Bullet() {
    Type = TypeBullet;
    CurAction = std::make_unique<Action>();
}

Bullet::~Bullet() = default;

void Bullet::CopyBullet(const Bullet& source) {
    CopyFrom(source);
    Power = source.Power;
    Speed = source.Speed;
    Positive = source.Positive;
    AutoDirection = source.AutoDirection;
    Name = source.Name;
}

void Bullet::Load(const std::string& path) {
    Templates* cache = Templates::GetInstance();
    if (const auto* stored = dynamic_cast<const Bullet*>(cache->FindObjectTemplate(path))) {
        CopyBullet(*stored);
        return;
    }
    BaseObject::Load(path);
    LuaControl* lua = LuaControl::GetInstance();
    Power = TruncateToInt(lua->GetNumber("Power", "Info", path));
    Speed = lua->GetNumber("Speed", "Info", path);
    Positive = TruncateToInt(lua->GetNumber("Positive", "Info", path)) != 0;
    AutoDirection = TruncateToInt(lua->GetNumber("AutoDirection", "Info", path)) != 0;
    Name = lua->GetString("Name", path);
    if (CurAction) {
        CurAction->Speed = Speed;
    }
    auto stored = std::make_shared<Bullet>();
    stored->CopyBullet(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

bool Bullet::OnField() const {
    const CGame* game = CGame::GetInstance();
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
        if (!target->IsCollide(*this)) {
            continue;
        }
        // No iterator into the list survives the scripts: both calls may change it.
        StageObjects* home = CurrentStage();
        const std::uint64_t serial = target->Serial();
        target->OnDamage(Power);
        if (CurrentStage() == home && BaseObject::FindLive(serial) == target) {
            OnHit(target);
        }
        return true;
    }
    return false;
}

void Bullet::OnHit(BaseObject* target) {
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/object/bullet/" + Name + "/Info.lua");
    lua->SelectFunction("OnHit");
    PushHandle(lua->GetState(), this);
    PushHandle(lua->GetState(), target);
    lua->CallFunction(2);
}

void Bullet::Update() {
    StageObjects* home = CurrentStage();
    BaseObject::Update();
    if (!OnField()) {
        Alive = false;
        return;
    }
    StageObjects* stage = CurrentStage();
    if (stage == nullptr || stage != home) {
        return;
    }
    // The player's bullets hit mobs; the enemies' hit heroes first, friends only when
    // no hero was touched. Whether the bullet goes on is its hit script's decision.
    if (Positive) {
        HitFirst(stage->Mobs);
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
