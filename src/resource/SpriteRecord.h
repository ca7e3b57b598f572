#pragma once
// A named picture shared by every object that shows it: one texture, one quad of
// four vertices with its device buffer, a grid of equal cells, the drawing state the
// next draw applies (scale, rotation, tint), and named animations.
#include <cstdint>
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

// The part of a picture a draw shows, in texture coordinates.
struct Cell {
    float U0 = 0.0f;
    float V0 = 0.0f;
    float U1 = 1.0f;
    float V1 = 1.0f;
};

// How one draw shows a picture: centred at (X, Y) on the game's picture, scaled and
// turned about its centre, and its colour: red, green and blue added to the picture's,
// alpha multiplying its alpha (ARGB).
struct SpriteDraw {
    float X = 0.0f;
    float Y = 0.0f;
    float Scale = 1.0f;
    float Angle = 0.0f;
    std::uint32_t Colour = 0xFF000000u;
};

// Draws the rectangle (x0, y0)-(x1, y1) around the draw's position, showing cell of
// texture, through buffer. Sprites and text share it.
void DrawTexturedQuad(Platform::Renderer& device, const Platform::Texture& texture,
                      Platform::VertexBuffer& buffer, const SpriteDraw& how, float x0, float y0,
                      float x1, float y1, const Cell& cell);

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

    // The colour word of a draw: each channel as a byte, 0.5 rounding up, clamped, NaN
    // as 0.
    static std::uint32_t Colour(float r, float g, float b, float alpha);
    // Draws one FrameWidth x FrameHeight quad showing cell. A record whose picture
    // failed to load draws nothing.
    void Draw(const SpriteDraw& how, const Cell& cell);
    // Shows the animation's current cell, then advances frame/time (owned by the caller).
    // The cell shown is kept: a draw without an animation frame to show (none played,
    // an empty one, or one declared again shorter) shows the cell last shown by any
    // object with this picture, the whole picture until then.
    void DrawAnimated(const SpriteDraw& how, Animation* animation, int& frame, float& time);

    std::unique_ptr<Platform::Texture> Texture;
    // Where each draw's quad is assembled for the renderer.
    std::unique_ptr<Platform::VertexBuffer> VertexBuffer;
    std::unique_ptr<std::map<std::string, Animation>> Animations;
    Platform::Renderer* Device = nullptr;
    Cell Shown;
    int ImageWidth = 0;
    int ImageHeight = 0;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int Columns = 0;
    int Rows = 0;
};

}  // namespace Velmora
