#include "world/KindRules.h"

#include <cmath>
#include <cstring>

#include "core/Maths.h"
#include "resource/SpriteRecord.h"
#include "world/BaseObject.h"
#include "world/Stage.h"
#include "world/StageObjects.h"
#include "world/World.h"

namespace Velmora {

namespace {
constexpr float kPi = 3.141592654f;
constexpr float kMargin = 500.0f;
}  // namespace

float MotionAngle(float dx, float dy) {
    const Vector2 n = Vec2Normalize(Vector2{dx, dy});
    const float down = std::acos(n.y);
    if (std::acos(-n.x) < kPi / 2.0f) {
        return down;
    }
    return 2.0f * kPi - down;
}

void FaceMotion(BaseObject& object) {
    const Action* action = object.CurAction.get();
    if (action == nullptr || (action->DX == 0.0f && action->DY == 0.0f)) {
        return;
    }
    // Compared bit for bit, so that a motion of -0 or NaN is looked at like any other.
    if (!object.HasFaced || std::memcmp(&object.FacedDX, &action->DX, sizeof(float)) != 0 ||
        std::memcmp(&object.FacedDY, &action->DY, sizeof(float)) != 0) {
        object.FacedDX = action->DX;
        object.FacedDY = action->DY;
        object.FacedAngle = MotionAngle(action->DX, action->DY);
        object.HasFaced = true;
    }
    object.Angle = object.FacedAngle;
}

void KeepOnScreen(BaseObject& object) {
    const Action* action = object.CurAction.get();
    if (action == nullptr || !action->Begun || object.Sprite == nullptr) {
        return;
    }
    const World* game = &object.GetWorld();
    const float w = static_cast<float>(object.Sprite->ImageWidth);
    const float h = static_cast<float>(object.Sprite->ImageHeight);
    const float fieldWidth = static_cast<float>(game->FieldWidth);
    const float fieldHeight = static_cast<float>(game->FieldHeight);
    if (object.X >= fieldWidth + w + kMargin || object.X <= -(w + kMargin) ||
        object.Y >= fieldHeight + h + kMargin || object.Y <= -(h + kMargin)) {
        object.Alive = false;
    }
}

}  // namespace Velmora
