#include "object/Bullet.h"

#include <memory>

#include "game/ObjectCache.h"
#include "script/LuaControl.h"

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
    ObjectCache* cache = ObjectCache::GetInstance();
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

}  // namespace Velmora
