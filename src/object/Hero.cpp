#include "object/Hero.h"

#include <memory>

#include "game/ObjectCache.h"
#include "script/LuaControl.h"

namespace Velmora {

Hero::Hero() {
    Type = TypeHero;
    X = 0.0f;
    Y = 0.0f;
}

Hero::~Hero() = default;

void Hero::CopyHero(const Hero& source) {
    CopyFrom(source);
    Name = source.Name;
    Life = source.Life;
    WeaponType = source.WeaponType;
    WeaponLevel = source.WeaponLevel;
    BombType = source.BombType;
    BombLevel = source.BombLevel;
    BombCount = source.BombCount;
    BombCountMax = source.BombCountMax;
    ControlAble = source.ControlAble;
    LastHitTime = source.LastHitTime;
}

void Hero::Load(const std::string& path) {
    ObjectCache* cache = ObjectCache::GetInstance();
    if (const auto* stored = dynamic_cast<const Hero*>(cache->FindObjectTemplate(path))) {
        CopyHero(*stored);
        return;
    }
    BaseObject::Load(path);
    LuaControl* lua = LuaControl::GetInstance();
    Name = lua->GetString("Name", path);
    Life = TruncateToInt(lua->GetNumber("Life", "Info", path));
    WeaponType = TruncateToInt(lua->GetNumber("WeaponType", "Info", path));
    WeaponLevel = TruncateToInt(lua->GetNumber("WeaponLevel", "Info", path));
    BombType = TruncateToInt(lua->GetNumber("BombType", "Info", path));
    BombLevel = TruncateToInt(lua->GetNumber("BombLevel", "Info", path));
    BombCount = TruncateToInt(lua->GetNumber("BombCount", "Info", path));
    BombCountMax = TruncateToInt(lua->GetNumber("BombCountMax", "Info", path));
    auto stored = std::make_shared<Hero>();
    stored->CopyHero(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

}  // namespace Velmora
