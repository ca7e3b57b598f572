#pragma once
// A named picture shared by every object that shows it: one texture, one quad of
// four vertices with its device buffer, a grid of equal cells, the drawing state the
// next draw applies (scale, rotation, tint), and named animations.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Renderer.h"

namespace Velmora {

struct AnimationFrame {
    int Cell = 0;
    float Speed = 0.3f;  // seconds the entry is shown
};

struct Animation {
    bool Loop = false;  // shared by every object showing this animation
    std::vector<AnimationFrame> Frames;
};

class SpriteRecord {
public:
    explicit SpriteRecord(Platform::Renderer* device);
    ~SpriteRecord();
    SpriteRecord(const SpriteRecord&) = delete;
    SpriteRecord& operator=(const SpriteRecord&) = delete;

    // Loading (true when the texture and the vertex buffer were made).
    bool Load(const std::string& file, int width, int height);
    bool LoadFrames(const std::string& file, int frameWidth, int frameHeight, int columns,
                    int rows);

    // Animation table.
    void AddAnimation(const std::string& name, int count, const std::string& frames);
    // Never null: an unknown name (or a record with no table yet) gets an empty one.
    Animation* GetAnimation(const std::string& name);
    void SetDefaultSpeed(const std::string& name, float speed);
    void SetFrameSpeed(const std::string& name, int index, float speed);

    // Shaping, colouring and drawing the quad.
    void Upload();
    void SetQuad(float x0, float y0, float z);
    void SetTexCoords(float uLeft, float vTop, float uRight, float vBottom);
    void ApplyColour(float alpha);
    void Draw(float x, float y);
    // Shows the animation's current cell, then advances frame/time (owned by the caller).
    // A record whose picture failed to load draws nothing.
    void DrawAnimated(float x, float y, Animation* animation, int& frame, float& time);

    std::unique_ptr<Platform::Texture> Texture;
    std::unique_ptr<Platform::VertexBuffer> VertexBuffer;
    Platform::SpriteVertex Vertices[Platform::QuadVertexCount];
    float ScaleX = 1.0f;
    float ScaleY = 1.0f;
    float ScaleZ = 1.0f;
    std::unique_ptr<std::map<std::string, Animation>> Animations;
    Platform::Renderer* Device = nullptr;
    int ImageWidth = 0;
    int ImageHeight = 0;
    float Angle = 0.0f;
    float R = 0.0f;
    float G = 0.0f;
    float B = 0.0f;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int Columns = 0;
    int Rows = 0;
};

}  // namespace Velmora
