#include "world/Hero.h"

#include <memory>

#include "game/CGame.h"
#include "platform/Keys.h"
#include "resource/SpriteRecord.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/Item.h"
#include "world/KindRules.h"
#include "world/Mob.h"
#include "world/StageObjects.h"
#include "world/Templates.h"

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
    Templates* cache = Templates::GetInstance();
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

void Hero::Update() {
    StageObjects* home = CurrentStage();
    BaseObject::Update();
    StageObjects* stage = CurrentStage();
    if (stage != home) {
        return;  // an action script replaced the world this hero lived in
    }
    if (stage != nullptr) {
        // A pick-up ends the hero's frame: one item at a time, and contact damage and
        // steering wait for the next frame.
        for (Item* item : stage->Items) {
            if (item->IsCollide(*this)) {
                item->OnEaten(this);
                return;
            }
        }
        CGame* game = CGame::GetInstance();
        if (game->StageTime - LastHitTime > 1.0f) {
            for (Mob* mob : stage->Mobs) {
                if (mob->IsCollide(*this)) {
                    OnDamage(-1);
                    LastHitTime = CGame::GetInstance()->StageTime;
                    return;
                }
            }
        }
    }
    if (!ControlAble) {
        return;
    }
    Steer();
    KeepInField();
}

void Hero::Steer() {
    CGame* game = CGame::GetInstance();
    if (game->UseController) {
        // The device's y axis points up, the field's down.
        X = static_cast<float>(game->AdjustX + game->PointX);
        Y = static_cast<float>(game->AdjustY - game->PointY);
        return;
    }
    // The keys steer through the action's direction, so a hero without an action has
    // nothing to steer.
    Action* action = CurAction.get();
    if (action == nullptr) {
        return;
    }
    using namespace Platform;
    if (IsKeyDown(VK_LEFT)) {
        if (action->DX != -1.0f) {
            PlayAni("LeftDown", false);
        }
        action->DX = -1.0f;
    } else if (IsKeyDown(VK_RIGHT)) {
        if (action->DX != 1.0f) {
            PlayAni("RightDown", false);
        }
        action->DX = 1.0f;
    } else {
        if (action->DX == -1.0f) {
            PlayAni("LeftUp", false);
        } else if (action->DX == 1.0f) {
            PlayAni("RightUp", false);
        }
        action->DX = 0.0f;
    }
    if (IsKeyDown(VK_UP)) {
        action->DY = -1.0f;
    } else if (IsKeyDown(VK_DOWN)) {
        action->DY = 1.0f;
    } else {
        action->DY = 0.0f;
    }
}

void Hero::KeepInField() {
    // The field's edges are measured by the picture; without one there is no edge to
    // keep to.
    if (Sprite == nullptr) {
        return;
    }
    const CGame* game = CGame::GetInstance();
    const int hw = Sprite->FrameWidth / 2;
    const int hh = Sprite->FrameHeight / 2;
    if (X < static_cast<float>(hw)) {
        X = static_cast<float>(hw);
    } else if (X > static_cast<float>(game->FieldWidth - hw)) {
        X = static_cast<float>(game->FieldWidth - hw);
    }
    if (Y < static_cast<float>(hh)) {
        Y = static_cast<float>(hh);
    } else if (Y > static_cast<float>(game->FieldHeight - hh)) {
        Y = static_cast<float>(game->FieldHeight - hh);
    }
}

void Hero::OnDamage(int amount) {
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/object/hero/" + Name + "/Info.lua");
    // Looked up without the existence check: a missing OnDamage fails in the call.
    lua->PushGlobal("OnDamage");
    PushHandle(lua->GetState(), this);
    lua_pushnumber(lua->GetState(), amount);
    lua->CallFunction(2);
}

}  // namespace Velmora
