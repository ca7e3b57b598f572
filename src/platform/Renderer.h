#pragma once
// What the engine asks of a graphics card, as one small interface with two
// implementations: OpenGL for a real window, and a recording renderer for headless
// runs and tests that keeps the last frame's draw list.
#include <cstdint>
#include <memory>
#include <string>

#include "core/Maths.h"
#include "platform/ImageFile.h"

namespace Velmora::Platform {

// One vertex of a sprite quad: position, ARGB colour, texture coordinates (20 bytes,
// packed so that a quad is one copy into the batch). Quads are flat: every one lies at
// the same depth.
struct SpriteVertex {
    float x;
    float y;
    std::uint32_t colour;
    float u;
    float v;
};
static_assert(sizeof(SpriteVertex) == 20, "sprite vertices are 20 bytes");

constexpr int QuadVertexCount = 4;
constexpr int QuadBufferBytes = QuadVertexCount * static_cast<int>(sizeof(SpriteVertex));

// A decoded picture living on the device.
class Texture {
public:
    virtual ~Texture() = default;
    int Width = 0;
    int Height = 0;
    std::string Path;
};

// An 80-byte buffer of four vertices: the device copy of a sprite's quad.
class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
    SpriteVertex Vertices[QuadVertexCount]{};
};

enum class CullMode { None, Clockwise, CounterClockwise };

// Texture stage 0: either the device default (texture colour times vertex colour,
// texture alpha) or the sprite rule (texture colour plus vertex colour, saturated;
// texture alpha times vertex alpha).
enum class ColourOp { Modulate, AddColourModulateAlpha };

struct RenderState {
    CullMode Cull = CullMode::Clockwise;
    bool AlphaBlend = false;  // source alpha / inverse source alpha when on
    ColourOp Colour = ColourOp::Modulate;
    bool PointSampling = false;
    bool operator==(const RenderState& o) const {
        return Cull == o.Cull && AlphaBlend == o.AlphaBlend && Colour == o.Colour &&
               PointSampling == o.PointSampling;
    }
    bool operator!=(const RenderState& o) const { return !(*this == o); }
};

class Renderer {
public:
    virtual ~Renderer() = default;

    // Decodes a picture file (PNG, BMP, JPG, TGA, GIF...) with its alpha; null when
    // the file cannot be read. Texture coordinates 0..1 span the whole picture.
    virtual std::unique_ptr<Texture> CreateTextureFromFile(const std::string& path) = 0;
    // Where CreateTextureFromFile takes its pictures from while given (null: the files).
    virtual void UsePictureLoader(PictureLoader* loader) { (void)loader; }
    // A texture of pixels made in memory (a font's glyphs); name stands for the file.
    virtual std::unique_ptr<Texture> CreateTextureFromImage(const Image& image,
                                                            const std::string& name) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer() {
        return std::make_unique<VertexBuffer>();
    }

    virtual void Clear(std::uint32_t argb) = 0;
    virtual bool BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual void Present() = 0;

    // Draws the buffer's four vertices as a two-triangle strip, placed by where on the
    // game's picture, with the current render state. A null texture draws nothing.
    virtual void DrawQuad(const Texture* texture, const VertexBuffer& buffer,
                          const Placement& where) = 0;

    // Whether SaveScreenshot can work at all: only a device that draws pixels has any.
    virtual bool CanSaveScreenshots() const { return false; }
    // Keeps the frames drawn from now on where SaveScreenshot can read them (a device
    // may draw straight into its window otherwise, which is faster).
    virtual void KeepFrames(bool on) { (void)on; }
    // Writes the last presented frame as PNG; false, with *error saying why, when it
    // could not.
    virtual bool SaveScreenshot(const std::string& path, std::string* error) {
        (void)path;
        *error = "this device draws no pixels";
        return false;
    }

    // What the window shows of the last presented frame, bars included, top row first
    // (tests: screenshots have the game's picture only). False, with *error saying
    // why, when the device cannot tell.
    virtual bool ReadWindowPixels(Image& image, std::string* error) {
        (void)image;
        *error = "this device has no window";
        return false;
    }

    // Draw calls issued to the driver during the last presented frame.
    virtual int LastFrameDrawCalls() const { return 0; }

    virtual int BackBufferWidth() const = 0;
    virtual int BackBufferHeight() const = 0;

    // The size of the game's picture in pixels, which sprites are placed in. Both
    // devices draw it at that size; a window shows it scaled.
    void SetCanvas(int width, int height) {
        canvasWidth_ = width;
        canvasHeight_ = height;
        projection_ = PictureProjection(static_cast<float>(width), static_cast<float>(height));
    }
    int CanvasWidth() const { return canvasWidth_; }
    int CanvasHeight() const { return canvasHeight_; }

    RenderState& State() { return state_; }
    const RenderState& State() const { return state_; }

protected:
    // Corners of a quad placed on the game's picture, in its pixels (origin top-left,
    // y down): computed once per draw for both culling and drawing, and shared by both
    // implementations so that recorded geometry is exactly what OpenGL rasterises.
    void PlaceQuad(const VertexBuffer& buffer, const Placement& where, float xs[QuadVertexCount],
                   float ys[QuadVertexCount]);
    // True when the current cull mode rejects the quad's triangles.
    bool IsCulled(const float xs[QuadVertexCount], const float ys[QuadVertexCount]) const;

private:
    // The last angle's cosine and sine: text, and sprites that do not turn, repeat it.
    float angle_ = 0.0f;
    float cos_ = 1.0f;
    float sin_ = 0.0f;
    RenderState state_;
    int canvasWidth_ = 0;
    int canvasHeight_ = 0;
    PictureProjection projection_{0.0f, 0.0f};
};

}  // namespace Velmora::Platform
