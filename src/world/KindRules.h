#pragma once
// Rules that several kinds of object share: which stage an update may still touch,
// turning a picture toward its motion, and leaving the field far behind.

namespace Velmora {

class BaseObject;
class StageObjects;

// The angle, clockwise from straight down the screen, of the direction (dx, dy), in
// (0, 2pi]; single precision throughout, as the pictures were made for it.
float MotionAngle(float dx, float dy);

// Turns the object's picture toward the direction of its current action; a standing
// or actionless object keeps its angle.
void FaceMotion(BaseObject& object);

// Marks a mob or friend dead once its begun action has carried it 500 pixels beyond
// the field, measured past its own picture. Without a picture there is nothing to
// measure by, and the object stays.
void KeepOnScreen(BaseObject& object);

}  // namespace Velmora
