#include "world/BaseObject.h"

#include <typeinfo>

#include "resource/Font.h"
#include "resource/ResourceMgr.h"
#include "resource/SpriteRecord.h"
#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

BaseObject::BaseObject(World& world) : world_(world), serial_(world.Enlist(this)) {}

BaseObject::~BaseObject() {
    world_.Delist(serial_);
}

void BaseObject::Load(const std::string& file) {
    Templates& templates = world_.KindTemplates();
    const BaseObject* stored = templates.FindObjectTemplate(file);
    if (stored != nullptr && typeid(*stored) == typeid(*this)) {
        CopySettings(*stored);
        return;
    }
    ReadSettings(file);
    if (std::shared_ptr<BaseObject> kept = CloneSettings()) {
        templates.AddObjectTemplate(file, std::move(kept));
    }
}

void BaseObject::ReadSettings(const std::string& file) {
    ScriptPort& scripts = world_.Scripts();
    Type = TruncateToInt(scripts.Number(file, "Info", "Type"));
    CollisionRadius = scripts.Number(file, "Info", "CollisionRadius");
    EllipseX = scripts.Number(file, "Info", "EllipseX");
    EllipseY = scripts.Number(file, "Info", "EllipseY");
    ZOrder = TruncateToInt(scripts.Number(file, "Info", "ZOrder"));
    const std::string sprite = scripts.Text(file, "Sprite");
    Sprite = world_.Resources().GetSprite(sprite);
}

void BaseObject::Update() {
    if (!CurAction) {
        return;
    }
    CurAction->Update();
    // An action replaced by its own callback has returned by now.
    if (retiring_) {
        retiredActions_.clear();
        retiring_ = false;
    }
    const Action* action = CurAction.get();
    if (action != nullptr && action->Begun) {
        const float frameTime = world_.FrameTime;
        X = X + action->Speed * action->DX * frameTime;
        Y = Y + action->DY * action->Speed * frameTime;
    }
}

void BaseObject::Draw() {
    const bool writing = TextFont != nullptr && !Text.empty();
    if (Sprite == nullptr && !writing) {
        return;
    }
    SpriteDraw how;
    how.X = X + static_cast<float>(world_.ScreenX);
    how.Y = Y + static_cast<float>(world_.ScreenY);
    how.Scale = Scale;
    how.Angle = Angle;
    how.Colour = SpriteRecord::Colour(R, G, B, Alpha);
    if (writing) {
        TextFont->Draw(how, Text, Align);
        return;
    }
    if (AniPlaying) {
        AniTime += world_.FrameTime;
    }
    Sprite->DrawAnimated(how, CurAni, AniFrame, AniTime);
}

void BaseObject::OnDamage(int) {}

void BaseObject::RetireAction() {
    if (!CurAction) {
        return;
    }
    if (CurAction->IsBusy()) {
        CurAction->MarkRetired();
        retiredActions_.push_back(std::move(CurAction));
        retiring_ = true;
    }
    CurAction.reset();
}

void BaseObject::SetAction(const std::string& name) {
    RetireAction();
    CurAction = MakeAction(world_, name);
    Action* action = CurAction.get();
    {
        // The action file may itself replace this action while it runs.
        BusyScope busy(*action);
        action->Load();
    }
    if (action->IsRetired()) {
        return;
    }
    if (action->X != 0.0f) {
        X = action->X;
    }
    if (action->Y != 0.0f) {
        Y = action->Y;
    }
    action->Owner = this;
}

void BaseObject::PlayAni(const std::string& name, bool loop) {
    // An object without the picture or the animation keeps showing what it shows.
    if (Sprite == nullptr || Sprite->Animations == nullptr) {
        return;
    }
    auto found = Sprite->Animations->find(name);
    if (found == Sprite->Animations->end()) {
        return;
    }
    CurAni = &found->second;
    CurAni->Loop = loop;
    AniTime = 0.0f;
    AniFrame = 0;
    AniPlaying = true;
}

void BaseObject::SetSprite(SpriteRecord* sprite) {
    std::string playing;
    if (CurAni != nullptr && Sprite != nullptr && Sprite->Animations != nullptr) {
        for (const auto& [name, animation] : *Sprite->Animations) {
            playing = &animation == CurAni ? name : playing;
        }
    }
    const bool loop = CurAni != nullptr && CurAni->Loop;
    const bool wasPlaying = AniPlaying;
    Sprite = sprite;
    CurAni = nullptr;
    AniFrame = 0;
    AniTime = 0.0f;
    AniPlaying = false;
    if (!playing.empty()) {
        PlayAni(playing, loop);
        AniPlaying = AniPlaying && wasPlaying;
    }
}

void BaseObject::StopAni() {
    AniPlaying = false;
}

void BaseObject::SetCustom(const std::string& name, int value) {
    Custom[name] = value;
}

int BaseObject::GetCustom(const std::string& name) const {
    auto found = Custom.find(name);
    return found == Custom.end() ? 0 : found->second;
}

bool BaseObject::IsCollide(const BaseObject& other) const {
    if (CollisionRadius == 0.0f || !CurAction || !CurAction->Begun || !Alive) {
        return false;
    }
    const float ax = EllipseX != 0.0f ? EllipseX : CollisionRadius;
    const float ay = EllipseY != 0.0f ? EllipseY : CollisionRadius;
    const float bx = other.EllipseX != 0.0f ? other.EllipseX : other.CollisionRadius;
    const float by = other.EllipseY != 0.0f ? other.EllipseY : other.CollisionRadius;
    const float dx = X - other.X;
    const float dy = Y - other.Y;
    const float sx = ax * ax + bx * bx;
    const float sy = ay * ay + by * by;
    // Most pairs are far apart: a quotient surely above 1 makes its root above 1 and
    // the sum too, so they are told apart without dividing. Only pairs this cannot
    // decide (NaN included) reach the exact test below.
    if (dx * dx > 2.0f * sx || dy * dy > 2.0f * sy) {
        return false;
    }
    // The sum of the roots, not of the quotients: the hit region is a diamond.
    const float p = std::sqrt(static_cast<float>(dx * dx / sx));
    const float q = std::sqrt(static_cast<float>(dy * dy / sy));
    return p + q <= 1.0f;
}

void BaseObject::CopyFrom(const BaseObject& source) {
    if (&source == this) {
        return;
    }
    Type = source.Type;
    Custom = source.Custom;
    if (source.CurAction) {
        if (CurAction) {
            *CurAction = *source.CurAction;
        } else {
            CurAction = MakeAction(*source.CurAction);
        }
    }
    X = source.X;
    Y = source.Y;
    Scale = source.Scale;
    Alpha = source.Alpha;
    CollisionRadius = source.CollisionRadius;
    EllipseX = source.EllipseX;
    EllipseY = source.EllipseY;
    CurAni = source.CurAni;
    AniPlaying = source.AniPlaying;
    AniFrame = source.AniFrame;
    AniTime = source.AniTime;
    Sprite = source.Sprite;
    Alive = source.Alive;
    ZOrder = source.ZOrder;
    Key = source.Key;
}

}  // namespace Velmora
