#include "resource/SpriteRecord.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace Velmora {

namespace {

// atoi's reading of the number at text, without atoi's undefined behaviour when the
// number does not fit: such a number is clamped to the int range instead.
int ReadInt(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// A colour channel as a byte, 0.5 rounding up; NaN counts as nothing (0) rather than
// reaching a float-to-int conversion that has no defined result.
std::uint32_t ColourByte(float c) {
    if (c >= 1.0f) {
        return 255u;
    }
    if (!(c > 0.0f)) {
        return 0u;
    }
    return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}

}  // namespace

SpriteRecord::SpriteRecord(Platform::Renderer* device) : Device(device) {}

SpriteRecord::~SpriteRecord() = default;

bool SpriteRecord::Load(const std::string& file, int width, int height) {
    if (Device == nullptr) {
        return false;
    }
    std::unique_ptr<Platform::Texture> texture = Device->CreateTextureFromFile(file);
    if (texture == nullptr) {
        return false;
    }
    Texture = std::move(texture);
    VertexBuffer = Device->CreateVertexBuffer();
    if (VertexBuffer == nullptr) {
        return false;
    }
    Shown = Cell{};
    ImageWidth = FrameWidth = width;
    ImageHeight = FrameHeight = height;
    Columns = Rows = 1;
    return true;
}

bool SpriteRecord::LoadFrames(const std::string& file, int frameWidth, int frameHeight, int columns,
                              int rows) {
    // Scripts can pass any number; a grid too large for an int is clamped instead of
    // overflowing.
    auto product = [](int a, int b) {
        const long long p = static_cast<long long>(a) * b;
        return static_cast<int>(p > INT_MAX ? INT_MAX : (p < INT_MIN ? INT_MIN : p));
    };
    const bool loaded = Load(file, product(frameWidth, columns), product(frameHeight, rows));
    FrameWidth = frameWidth;
    FrameHeight = frameHeight;
    Columns = columns;
    Rows = rows;
    return loaded;
}

void SpriteRecord::AddAnimation(const std::string& name, int count, const std::string& frames) {
    if (Animations == nullptr) {
        Animations = std::make_unique<std::map<std::string, Animation>>();
    }
    // Each number is assumed to be written in its shortest form followed by one
    // separator, so the next one starts right after the number's own width. Games
    // rely on that reading (leading zeros shift the list), so it stays; a count
    // larger than the text simply ends the list where the text ends.
    std::vector<AnimationFrame> list;
    std::size_t offset = 0;
    for (int i = 0; i < count && offset < frames.size(); ++i) {
        AnimationFrame entry;
        entry.Cell = ReadInt(frames.c_str() + offset);
        entry.Speed = 0.3f;
        list.push_back(entry);
        offset += std::to_string(entry.Cell).size() + 1;
    }
    Animation& animation = (*Animations)[name];
    animation.Loop = false;
    animation.Frames = std::move(list);
}

Animation* SpriteRecord::GetAnimation(const std::string& name) {
    if (Animations == nullptr) {
        Animations = std::make_unique<std::map<std::string, Animation>>();
    }
    return &(*Animations)[name];
}

void SpriteRecord::SetDefaultSpeed(const std::string& name, float speed) {
    if (Animations == nullptr) {
        return;
    }
    for (AnimationFrame& entry : GetAnimation(name)->Frames) {
        entry.Speed = speed;
    }
}

void SpriteRecord::SetFrameSpeed(const std::string& name, int index, float speed) {
    if (Animations == nullptr) {
        return;
    }
    std::vector<AnimationFrame>& frames = GetAnimation(name)->Frames;
    if (index < 0 || static_cast<std::size_t>(index) >= frames.size()) {
        return;
    }
    frames[static_cast<std::size_t>(index)].Speed = speed;
}

std::uint32_t SpriteRecord::Colour(float r, float g, float b, float alpha) {
    return (ColourByte(alpha) << 24) | (ColourByte(r) << 16) | (ColourByte(g) << 8) | ColourByte(b);
}

void SpriteRecord::Draw(const SpriteDraw& how, const Cell& cell) {
    // A picture that failed to load has nothing to show.
    if (Device == nullptr || Texture == nullptr || VertexBuffer == nullptr) {
        return;
    }
    // One cell, centred on the draw's position.
    const float x0 = -(static_cast<float>(FrameWidth) * 0.5f);
    const float y0 = -(static_cast<float>(FrameHeight) * 0.5f);
    DrawTexturedQuad(*Device, *Texture, *VertexBuffer, how, x0, y0,
                     x0 + static_cast<float>(FrameWidth), y0 + static_cast<float>(FrameHeight),
                     cell);
}

void DrawTexturedQuad(Platform::Renderer& device, const Platform::Texture& texture,
                      Platform::VertexBuffer& buffer, const SpriteDraw& how, float x0, float y0,
                      float x1, float y1, const Cell& cell) {
    // Written in place: a quad assembled elsewhere and copied in was read back in
    // pieces wider than it had been written in, which stalls every draw.
    Platform::SpriteVertex* quad = buffer.Vertices;
    quad[0] = {x0, y0, how.Colour, cell.U0, cell.V0};
    quad[1] = {x1, y0, how.Colour, cell.U1, cell.V0};
    quad[2] = {x0, y1, how.Colour, cell.U0, cell.V1};
    quad[3] = {x1, y1, how.Colour, cell.U1, cell.V1};

    Platform::RenderState& state = device.State();
    state.Cull = Platform::CullMode::CounterClockwise;
    state.AlphaBlend = true;
    state.Colour = Platform::ColourOp::AddColourModulateAlpha;
    device.DrawQuad(&texture, buffer, Placement{how.X, how.Y, how.Scale, how.Angle});
}

void SpriteRecord::DrawAnimated(const SpriteDraw& how, Animation* animation, int& frame,
                                float& time) {
    if (animation != nullptr && frame >= 0 &&
        static_cast<std::size_t>(frame) < animation->Frames.size()) {
        const AnimationFrame& entry = animation->Frames[static_cast<std::size_t>(frame)];
        // Without a grid (no columns, or a picture of no size) the whole picture shows.
        if (Columns > 0 && ImageWidth > 0 && ImageHeight > 0) {
            const long long row = entry.Cell / Columns;
            const long long col = entry.Cell % Columns;
            const float w = static_cast<float>(ImageWidth);
            const float h = static_cast<float>(ImageHeight);
            Shown = Cell{static_cast<float>(col * FrameWidth) / w,
                         static_cast<float>(row * FrameHeight) / h,
                         static_cast<float>((col + 1) * FrameWidth) / w,
                         static_cast<float>((row + 1) * FrameHeight) / h};
        }
        // The time beyond the entry's length is dropped, not carried over.
        if (time >= entry.Speed) {
            time = 0.0f;
            ++frame;
            const int count = static_cast<int>(animation->Frames.size());
            if (frame >= count) {
                frame = animation->Loop ? 0 : count - 1;
            }
        }
    }
    Draw(how, Shown);
}

}  // namespace Velmora
