#include "world/Hero.h"

#include <memory>

#include "core/VirtualKeys.h"
#include "input/Input.h"
#include "resource/SpriteRecord.h"
#include "world/Item.h"
#include "world/KindRules.h"
#include "world/Mob.h"
#include "world/ScriptPort.h"
#include "world/StageObjects.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Hero::Hero(World& world) : TemplatedKind(world) {
    Type = TypeHero;
    X = 0.0f;
    Y = 0.0f;
}

Hero::~Hero() = default;

void Hero::CopySettings(const BaseObject& from) {
    CopyFrom(from);
    const auto& source = static_cast<const Hero&>(from);
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

void Hero::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    ScriptPort& scripts = world_.Scripts();
    Name = scripts.Text(path, "Name");
    Life = TruncateToInt(scripts.Number(path, "Info", "Life"));
    WeaponType = TruncateToInt(scripts.Number(path, "Info", "WeaponType"));
    WeaponLevel = TruncateToInt(scripts.Number(path, "Info", "WeaponLevel"));
    BombType = TruncateToInt(scripts.Number(path, "Info", "BombType"));
    BombLevel = TruncateToInt(scripts.Number(path, "Info", "BombLevel"));
    BombCount = TruncateToInt(scripts.Number(path, "Info", "BombCount"));
    BombCountMax = TruncateToInt(scripts.Number(path, "Info", "BombCountMax"));
}

void Hero::Update() {
    StageObjects* home = world_.CurrentObjects();
    BaseObject::Update();
    StageObjects* stage = world_.CurrentObjects();
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
        World* game = &world_;
        if (game->StageTime - LastHitTime > 1.0f) {
            for (Mob* mob : stage->Mobs) {
                if (mob->IsCollide(*this)) {
                    OnDamage(-1);
                    LastHitTime = world_.StageTime;
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
    const Input& input = world_.Controls();
    if (world_.UseController) {
        // The device's y axis points up, the field's down.
        X = static_cast<float>(world_.AdjustX + input.PointX());
        Y = static_cast<float>(world_.AdjustY - input.PointY());
        return;
    }
    // The keys steer through the action's direction, so a hero without an action has
    // nothing to steer.
    Action* action = CurAction.get();
    if (action == nullptr) {
        return;
    }
    if (input.IsDown(VK_LEFT)) {
        if (action->DX != -1.0f) {
            PlayAni("LeftDown", false);
        }
        action->DX = -1.0f;
    } else if (input.IsDown(VK_RIGHT)) {
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
    if (input.IsDown(VK_UP)) {
        action->DY = -1.0f;
    } else if (input.IsDown(VK_DOWN)) {
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
    const World* game = &world_;
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
    // Looked up without the existence check: a missing OnDamage fails in the call.
    world_.Scripts().Call("res/object/hero/" + Name + "/Info.lua", "OnDamage", false,
                          {this, static_cast<double>(amount)});
}

}  // namespace Velmora
