#include "platform/RecordingRenderer.h"

#include "platform/ImageFile.h"

namespace Velmora::Platform {

std::unique_ptr<Texture> RecordingRenderer::CreateTextureFromFile(const std::string& path) {
    // Nothing here draws pixels: the size is all a texture needs.
    int width = 0;
    int height = 0;
    if (!ReadImageSize(path, &width, &height)) {
        return nullptr;
    }
    auto texture = std::make_unique<Texture>();
    texture->Width = width;
    texture->Height = height;
    texture->Path = path;
    files_.insert(path);
    return texture;
}

std::unique_ptr<Texture> RecordingRenderer::CreateTextureFromImage(const Image& image,
                                                                   const std::string& name) {
    auto texture = std::make_unique<Texture>();
    texture->Width = image.Width;
    texture->Height = image.Height;
    texture->Path = name;
    return texture;
}

void RecordingRenderer::Clear(std::uint32_t argb) {
    clearColour_ = argb;
    current_.clear();
}

bool RecordingRenderer::BeginFrame() {
    return true;
}

void RecordingRenderer::EndFrame() {}

void RecordingRenderer::Present() {
    lastFrame_.swap(current_);
    current_.clear();
    ++presents_;
}

void RecordingRenderer::DrawQuad(const Texture* texture, const VertexBuffer& buffer,
                                 const Placement& where) {
    if (texture == nullptr) {
        return;
    }
    RecordedDraw draw;
    PlaceQuad(buffer, where, draw.X, draw.Y);
    for (int i = 0; i < QuadVertexCount; ++i) {
        draw.U[i] = buffer.Vertices[i].u;
        draw.V[i] = buffer.Vertices[i].v;
        draw.Colour[i] = buffer.Vertices[i].colour;
    }
    // A field of one picture looks its file up once, not once a draw.
    if (texture != lastTexture_ || texture->Path != *lastFile_) {
        lastFile_ = &*files_.insert(texture->Path).first;
        lastTexture_ = texture;
    }
    draw.TextureFile = lastFile_;
    draw.State = State();
    draw.Culled = IsCulled(draw.X, draw.Y);
    current_.push_back(std::move(draw));
}

}  // namespace Velmora::Platform
