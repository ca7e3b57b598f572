#include "resource/SpriteRecord.h"

namespace Velmora {

SpriteRecord::SpriteRecord(Platform::GraphicsDevice* device) : Vertices{}, Device(device) {
    for (auto& v : Vertices) {
        v.colour = 0xFF000000u;
    }
}

SpriteRecord::~SpriteRecord() = default;

bool SpriteRecord::Load(const std::string&, int, int) {
    return false;
}
bool SpriteRecord::LoadFrames(const std::string&, int, int, int, int) {
    return false;
}
void SpriteRecord::AddAnimation(const std::string&, int, const std::string&) {}
Animation* SpriteRecord::GetAnimation(const std::string&) {
    return nullptr;
}
void SpriteRecord::SetDefaultSpeed(const std::string&, float) {}
void SpriteRecord::SetFrameSpeed(const std::string&, int, float) {}
void SpriteRecord::Upload() {}
void SpriteRecord::SetQuad(float, float, float) {}
void SpriteRecord::SetTexCoords(float, float, float, float) {}
void SpriteRecord::ApplyColour(float) {}
void SpriteRecord::Draw(float, float) {}
void SpriteRecord::DrawAnimated(float, float, Animation*, int&, float&) {}

}  // namespace Velmora
