#pragma once
// The graphics device of headless runs and tests: it rasterises nothing, but keeps
// every draw of the last frame with its transformed corners, so tests can check
// geometry, colours and texture coordinates exactly.
#include <set>
#include <string>
#include <vector>

#include "platform/Renderer.h"

namespace Velmora::Platform {

struct RecordedDraw {
    float X[QuadVertexCount];  // pixels of the game's picture, placed
    float Y[QuadVertexCount];
    float U[QuadVertexCount];
    float V[QuadVertexCount];
    std::uint32_t Colour[QuadVertexCount];
    // The picture's file, kept once per file by the device: recording a draw allocates
    // nothing once the frame's storage has grown.
    const std::string* TextureFile = nullptr;
    RenderState State;
    bool Culled = false;
};

class RecordingRenderer : public Renderer {
public:
    RecordingRenderer(int width, int height) : width_(width), height_(height) {
        SetCanvas(width, height);
    }

    std::unique_ptr<Texture> CreateTextureFromFile(const std::string& path) override;
    std::unique_ptr<Texture> CreateTextureFromImage(const Image& image,
                                                    const std::string& name) override;
    void Clear(std::uint32_t argb) override;
    bool BeginFrame() override;
    void EndFrame() override;
    void Present() override;
    void DrawQuad(const Texture* texture, const VertexBuffer& buffer,
                  const Placement& where) override;
    int LastFrameDrawCalls() const override { return static_cast<int>(lastFrame_.size()); }
    int BackBufferWidth() const override { return width_; }
    int BackBufferHeight() const override { return height_; }

    // Draws of the last presented frame, in order.
    const std::vector<RecordedDraw>& LastFrame() const { return lastFrame_; }
    // Draws issued since the last Present (what a test sees before presenting).
    const std::vector<RecordedDraw>& CurrentFrame() const { return current_; }
    std::uint32_t LastClearColour() const { return clearColour_; }
    int PresentCount() const { return presents_; }

private:
    int width_;
    int height_;
    std::vector<RecordedDraw> current_;
    std::vector<RecordedDraw> lastFrame_;
    std::set<std::string> files_;
    const Texture* lastTexture_ = nullptr;
    const std::string* lastFile_ = nullptr;
    std::uint32_t clearColour_ = 0;
    int presents_ = 0;
};

}  // namespace Velmora::Platform
