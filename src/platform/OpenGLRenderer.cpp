#include "platform/OpenGLRenderer.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/ImageFile.h"
#include "platform/Letterbox.h"

namespace Velmora::Platform {

namespace {

// A vertex as the GPU sees it: normalised device x and y (corners are placed on the
// CPU, so batches need no per-quad uniforms), the packed ARGB colour word, texture
// coordinates.
struct GLVertex {
    float x;
    float y;
    std::uint32_t colour;
    float u;
    float v;
};

// 16-bit indices address at most 65536 vertices per draw call: 16384 quads, so a
// field of ten thousand bullets of one picture is one call.
constexpr int MaxQuadsPerCall = 65536 / QuadVertexCount;
// The stream buffer holds a few calls' worth before it is orphaned and refilled.
constexpr int StreamVertexCapacity = MaxQuadsPerCall * QuadVertexCount * 4;

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
out vec4 vColour;
out vec2 vTexCoord;
void main() {
    gl_Position = vec4(aPosition, 0.0, 1.0);
    vColour = aColour;
    vTexCoord = aTexCoord;
}
)";

// The two texture-stage set-ups the engine uses: the sprite rule (tint added to the
// picture, opacity multiplied into its alpha) and the device default (modulate,
// picture alpha).
const char* const kFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uAddColour;
out vec4 fragColour;
void main() {
    vec4 t = texture(uTexture, vTexCoord);
    if (uAddColour != 0) {
        fragColour = vec4(min(t.rgb + vColour.rgb, vec3(1.0)), t.a * vColour.a);
    } else {
        fragColour = vec4(t.rgb * vColour.rgb, t.a);
    }
}
)";

class OpenGLRenderer;

// Textures may outlive the device (their owners are torn down in any order), so
// they reach it through this link, which the device clears when its context goes.
struct ContextLink {
    OpenGLRenderer* Device = nullptr;
};

class GLTexture : public Texture {
public:
    GLTexture(std::shared_ptr<ContextLink> link, GLuint name) : Name(name), Link(std::move(link)) {}
    ~GLTexture() override;
    GLTexture(const GLTexture&) = delete;
    GLTexture& operator=(const GLTexture&) = delete;

    GLuint Name;
    std::shared_ptr<ContextLink> Link;
};

// What forces a new draw call. Culling is decided on the CPU and lighting has no
// effect on pre-coloured vertices, so neither splits a batch.
struct BatchKey {
    GLuint Texture = 0;
    bool AlphaBlend = false;
    bool AddColour = false;
    bool PointSampling = false;
    bool operator==(const BatchKey& o) const {
        return Texture == o.Texture && AlphaBlend == o.AlphaBlend && AddColour == o.AddColour &&
               PointSampling == o.PointSampling;
    }
    bool operator!=(const BatchKey& o) const { return !(*this == o); }
};

// One offscreen colour target the size of the game's picture. It needs no depth: every
// quad lies at one depth, where a depth test could not reject a single pixel.
struct RenderTarget {
    GLuint Framebuffer = 0;
    GLuint Colour = 0;
};

bool CompileShader(GLenum kind, const char* source, GLuint& shader, std::string& log) {
    shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) {
        return true;
    }
    char text[1024] = {0};
    glGetShaderInfoLog(shader, sizeof(text) - 1, nullptr, text);
    log = text;
    return false;
}

class OpenGLRenderer : public Renderer {
public:
    OpenGLRenderer(Window& window, SDL_GLContext context, int width, int height, bool keepFrames)
        : window_(window),
          context_(context),
          width_(width),
          height_(height),
          keepFrames_(keepFrames) {
        SetCanvas(width, height);
        link_ = std::make_shared<ContextLink>();
        link_->Device = this;
        const char* noBatch = std::getenv("VELMORA_GL_NO_BATCH");
        noBatch_ = noBatch != nullptr && noBatch[0] != '\0' && std::strcmp(noBatch, "0") != 0;
        pending_.resize(static_cast<std::size_t>(MaxQuadsPerCall) * QuadVertexCount);
    }

    ~OpenGLRenderer() override {
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_.NativeHandle()), context_);
        link_->Device = nullptr;
        for (RenderTarget& target : targets_) {
            glDeleteFramebuffers(1, &target.Framebuffer);
            glDeleteTextures(1, &target.Colour);
        }
        glDeleteSamplers(2, samplers_);
        glDeleteBuffers(1, &vertexBuffer_);
        glDeleteBuffers(1, &indexBuffer_);
        glDeleteVertexArrays(1, &vertexArray_);
        glDeleteProgram(program_);
        SDL_GL_DeleteContext(context_);
    }

    bool Setup(std::string& error) {
        GLuint vs = 0;
        GLuint fs = 0;
        std::string log;
        if (!CompileShader(GL_VERTEX_SHADER, kVertexShader, vs, log) ||
            !CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, fs, log)) {
            glDeleteShader(vs);
            glDeleteShader(fs);
            error = "the sprite shader does not compile: " + log;
            return false;
        }
        program_ = glCreateProgram();
        glAttachShader(program_, vs);
        glAttachShader(program_, fs);
        glLinkProgram(program_);
        glDeleteShader(vs);
        glDeleteShader(fs);
        GLint linked = GL_FALSE;
        glGetProgramiv(program_, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            char text[1024] = {0};
            glGetProgramInfoLog(program_, sizeof(text) - 1, nullptr, text);
            error = std::string("the sprite shader does not link: ") + text;
            return false;
        }
        glUseProgram(program_);
        glUniform1i(glGetUniformLocation(program_, "uTexture"), 0);
        addColourUniform_ = glGetUniformLocation(program_, "uAddColour");
        glUniform1i(addColourUniform_, 0);

        glGenVertexArrays(1, &vertexArray_);
        glBindVertexArray(vertexArray_);
        glGenBuffers(1, &vertexBuffer_);
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(StreamVertexCapacity * sizeof(GLVertex)), nullptr,
                     GL_STREAM_DRAW);
        const GLsizei stride = sizeof(GLVertex);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(0));
        glEnableVertexAttribArray(1);
        // GL_BGRA reads the little-endian ARGB word as (r, g, b, a).
        glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                              reinterpret_cast<const void*>(offsetof(GLVertex, colour)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offsetof(GLVertex, u)));

        // Each quad is a strip 0-1-2-3: triangles (0, 1, 2) and (2, 1, 3), same winding.
        std::vector<std::uint16_t> indices(static_cast<std::size_t>(MaxQuadsPerCall) * 6);
        for (int q = 0; q < MaxQuadsPerCall; ++q) {
            const auto base = static_cast<std::uint16_t>(q * QuadVertexCount);
            const std::size_t i = static_cast<std::size_t>(q) * 6;
            indices[i + 0] = base;
            indices[i + 1] = static_cast<std::uint16_t>(base + 1);
            indices[i + 2] = static_cast<std::uint16_t>(base + 2);
            indices[i + 3] = static_cast<std::uint16_t>(base + 2);
            indices[i + 4] = static_cast<std::uint16_t>(base + 1);
            indices[i + 5] = static_cast<std::uint16_t>(base + 3);
        }
        glGenBuffers(1, &indexBuffer_);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint16_t)),
                     indices.data(), GL_STATIC_DRAW);

        glGenSamplers(2, samplers_);
        glSamplerParameteri(samplers_[0], GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(samplers_[0], GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glSamplerParameteri(samplers_[1], GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glSamplerParameteri(samplers_[1], GL_TEXTURE_MAG_FILTER, GL_NEAREST);

        // Both targets exist even when frames go straight into the window: the window
        // may be resized or go full screen at any time, and then frames are scaled.
        for (RenderTarget& target : targets_) {
            glGenTextures(1, &target.Colour);
            glBindTexture(GL_TEXTURE_2D, target.Colour);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         nullptr);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
            glGenFramebuffers(1, &target.Framebuffer);
            glBindFramebuffer(GL_FRAMEBUFFER, target.Framebuffer);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                                   target.Colour, 0);
            if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
                error = "cannot make a " + std::to_string(width_) + " x " +
                        std::to_string(height_) + " offscreen frame";
                return false;
            }
            glViewport(0, 0, width_, height_);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glBindTexture(GL_TEXTURE_2D, 0);
        BindFrameTarget();

        // Every quad lies at one depth, so a depth test would pass every pixel: the
        // rasteriser is spared it, and the window's depth buffer is never touched.
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glDisable(GL_CULL_FACE);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_BLEND);
        glActiveTexture(GL_TEXTURE0);
        glBindSampler(0, samplers_[0]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        if (glGetError() != GL_NO_ERROR) {
            error = "OpenGL reported an error while setting up the device";
            return false;
        }
        return true;
    }

    void UsePictureLoader(PictureLoader* loader) override { pictures_ = loader; }

    std::unique_ptr<Texture> CreateTextureFromFile(const std::string& path) override {
        Image image;
        if (!(pictures_ != nullptr ? pictures_->Load(path, image) : LoadImageRgba(path, image))) {
            return nullptr;
        }
        return CreateTextureFromImage(image, path);
    }

    std::unique_ptr<Texture> CreateTextureFromImage(const Image& image,
                                                    const std::string& path) override {
        while (glGetError() != GL_NO_ERROR) {
        }
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        // One level only: pixel art is sampled as drawn, never from blurred mipmaps.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.Width, image.Height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, image.Rgba.data());
        boundTexture_ = name;
        if (glGetError() != GL_NO_ERROR) {
            // Larger than the driver allows, or out of memory: as unreadable.
            glDeleteTextures(1, &name);
            boundTexture_ = 0;
            return nullptr;
        }
        auto texture = std::make_unique<GLTexture>(link_, name);
        texture->Width = image.Width;
        texture->Height = image.Height;
        texture->Path = path;
        return texture;
    }

    void Clear(std::uint32_t argb) override {
        Flush();
        if (!frameBegun_) {
            BindFrameTarget();  // the window may have changed size since the last frame
            frameBegun_ = true;
        }
        glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
                     static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(argb & 0xFF) / 255.0f,
                     static_cast<float>((argb >> 24) & 0xFF) / 255.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    bool BeginFrame() override { return true; }

    void EndFrame() override { Flush(); }

    void Present() override {
        Flush();
        SDL_Window* window = static_cast<SDL_Window*>(window_.NativeHandle());
        lastFrameDrawCalls_ = drawCalls_;
        drawCalls_ = 0;
        frameBegun_ = false;
        if (direct_) {
            SDL_GL_SwapWindow(window);
            BindFrameTarget();
            return;
        }
        ShowInWindow(current_);
        SDL_GL_SwapWindow(window);
        // The presented frame stays untouched for screenshots; the next one is drawn
        // into the other target.
        presented_ = current_;
        hasPresented_ = true;
        current_ = 1 - current_;
        BindFrameTarget();
    }

    void DrawQuad(const Texture* texture, const VertexBuffer& buffer,
                  const Placement& where) override {
        frameBegun_ = true;
        // Fields of one picture ask what it is once: the answer stays until the
        // texture goes (OnTextureDestroyed).
        if (texture == nullptr) {
            return;
        }
        if (texture != checkedTexture_) {
            const auto* named = dynamic_cast<const GLTexture*>(texture);
            if (named == nullptr || named->Link != link_) {
                return;
            }
            checkedTexture_ = texture;
            checkedName_ = named->Name;
        }
        float xs[QuadVertexCount];
        float ys[QuadVertexCount];
        PlaceQuad(buffer, where, xs, ys);
        if (IsCulled(xs, ys)) {
            return;
        }
        const RenderState& state = State();
        BatchKey key;
        key.Texture = checkedName_;
        key.AlphaBlend = state.AlphaBlend;
        key.AddColour = state.Colour == ColourOp::AddColourModulateAlpha;
        key.PointSampling = state.PointSampling;
        if (pendingQuads_ > 0 && (key != batchKey_ || pendingQuads_ == MaxQuadsPerCall)) {
            Flush();
        }
        batchKey_ = key;

        // The corners culling was decided on, so what is drawn is exactly what the
        // recording device reports.
        const float toNdcX = 2.0f / static_cast<float>(width_);
        const float toNdcY = 2.0f / static_cast<float>(height_);
        GLVertex* out = &pending_[static_cast<std::size_t>(pendingQuads_) * QuadVertexCount];
        for (int i = 0; i < QuadVertexCount; ++i) {
            const SpriteVertex& in = buffer.Vertices[i];
            out[i].x = xs[i] * toNdcX - 1.0f;
            out[i].y = 1.0f - ys[i] * toNdcY;
            out[i].colour = in.colour;
            out[i].u = in.u;
            out[i].v = in.v;
        }
        ++pendingQuads_;
        if (noBatch_) {
            Flush();
        }
    }

    bool CanSaveScreenshots() const override { return true; }
    void KeepFrames(bool on) override { keepFrames_ = on; }

    bool SaveScreenshot(const std::string& path, std::string* error) override {
        Image image;
        if (!CanReadBack(error)) {
            return false;
        }
        ReadBack(targets_[presented_].Framebuffer, width_, height_, image);
        return SavePngRgba(path, image, error);
    }

    bool ReadWindowPixels(Image& image, std::string* error) override {
        if (!CanReadBack(error)) {
            return false;
        }
        // What the last swap showed, laid out again in the back buffer, which a swap
        // leaves undefined.
        ShowInWindow(presented_);
        int drawableWidth = 0;
        int drawableHeight = 0;
        window_.DrawableSize(drawableWidth, drawableHeight);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        ReadBack(0, drawableWidth, drawableHeight, image);
        glBindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : targets_[current_].Framebuffer);
        glViewport(0, 0, width_, height_);
        return true;
    }

    int LastFrameDrawCalls() const override { return lastFrameDrawCalls_; }
    int BackBufferWidth() const override { return width_; }
    int BackBufferHeight() const override { return height_; }

    // A texture about to be deleted may still be waiting in the batch; draw it first,
    // so that a picture freed right after it was drawn still shows in that frame.
    void OnTextureDestroyed(GLuint name) {
        if (pendingQuads_ > 0 && batchKey_.Texture == name) {
            Flush();
        }
        if (boundTexture_ == name) {
            boundTexture_ = 0;
        }
        if (checkedName_ == name) {
            checkedTexture_ = nullptr;
        }
        glDeleteTextures(1, &name);
    }

private:
    // Frames are drawn straight into the window while it is exactly the picture's
    // size and nobody wants them kept; otherwise into a target, scaled at presenting.
    void BindFrameTarget() {
        int drawableWidth = 0;
        int drawableHeight = 0;
        window_.DrawableSize(drawableWidth, drawableHeight);
        direct_ = !keepFrames_ && drawableWidth == width_ && drawableHeight == height_;
        glBindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : targets_[current_].Framebuffer);
        glViewport(0, 0, width_, height_);
    }

    // Copies a target's picture into the window's back buffer, letterboxed.
    void ShowInWindow(int target) {
        Flush();
        int drawableWidth = 0;
        int drawableHeight = 0;
        window_.DrawableSize(drawableWidth, drawableHeight);
        const Letterbox box = FitPicture(width_, height_, drawableWidth, drawableHeight);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, targets_[target].Framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glViewport(0, 0, drawableWidth, drawableHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        const int bottom = drawableHeight - box.Top - box.Height;  // OpenGL counts upward
        glBlitFramebuffer(0, 0, width_, height_, box.Left, bottom, box.Left + box.Width,
                          bottom + box.Height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }

    bool CanReadBack(std::string* error) {
        if (!keepFrames_) {
            *error = "the device keeps no frame to read back";
            return false;
        }
        if (!hasPresented_) {
            *error = "no frame has been drawn";
            return false;
        }
        Flush();
        return true;
    }

    // A framebuffer's pixels, top row first, opaque: blending writes alpha too, but a
    // presented frame has none.
    void ReadBack(GLuint framebuffer, int width, int height, Image& image) {
        image.Width = width;
        image.Height = height;
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
        std::vector<std::uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(height));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, direct_ ? 0 : targets_[current_].Framebuffer);
        image.Rgba.resize(bottomUp.size());
        for (int y = 0; y < height; ++y) {
            std::memcpy(&image.Rgba[static_cast<std::size_t>(y) * rowBytes],
                        &bottomUp[static_cast<std::size_t>(height - 1 - y) * rowBytes], rowBytes);
        }
        for (std::size_t i = 3; i < image.Rgba.size(); i += 4) {
            image.Rgba[i] = 0xFF;
        }
    }

    void Flush() {
        if (pendingQuads_ == 0) {
            return;
        }
        ApplyState(batchKey_);
        const int vertexCount = pendingQuads_ * QuadVertexCount;
        if (streamCursor_ + vertexCount > StreamVertexCapacity) {
            // Orphan the storage: draws still reading the old contents keep them.
            glBufferData(GL_ARRAY_BUFFER,
                         static_cast<GLsizeiptr>(StreamVertexCapacity * sizeof(GLVertex)), nullptr,
                         GL_STREAM_DRAW);
            streamCursor_ = 0;
        }
        const auto offset = static_cast<GLintptr>(streamCursor_ * sizeof(GLVertex));
        const auto bytes =
            static_cast<GLsizeiptr>(static_cast<std::size_t>(vertexCount) * sizeof(GLVertex));
        void* target = glMapBufferRange(
            GL_ARRAY_BUFFER, offset, bytes,
            GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
        if (target != nullptr) {
            std::memcpy(target, pending_.data(), static_cast<std::size_t>(bytes));
            glUnmapBuffer(GL_ARRAY_BUFFER);
        } else {
            glBufferSubData(GL_ARRAY_BUFFER, offset, bytes, pending_.data());
        }
        glDrawElementsBaseVertex(GL_TRIANGLES, pendingQuads_ * 6, GL_UNSIGNED_SHORT, nullptr,
                                 streamCursor_);
        streamCursor_ += vertexCount;
        pendingQuads_ = 0;
        ++drawCalls_;
    }

    void ApplyState(const BatchKey& key) {
        if (boundTexture_ != key.Texture) {
            glBindTexture(GL_TEXTURE_2D, key.Texture);
            boundTexture_ = key.Texture;
        }
        if (appliedBlend_ != static_cast<int>(key.AlphaBlend)) {
            if (key.AlphaBlend) {
                glEnable(GL_BLEND);
            } else {
                glDisable(GL_BLEND);
            }
            appliedBlend_ = key.AlphaBlend ? 1 : 0;
        }
        if (appliedAddColour_ != static_cast<int>(key.AddColour)) {
            glUniform1i(addColourUniform_, key.AddColour ? 1 : 0);
            appliedAddColour_ = key.AddColour ? 1 : 0;
        }
        if (appliedPointSampling_ != static_cast<int>(key.PointSampling)) {
            glBindSampler(0, samplers_[key.PointSampling ? 1 : 0]);
            appliedPointSampling_ = key.PointSampling ? 1 : 0;
        }
    }

    Window& window_;
    SDL_GLContext context_;
    int width_;
    int height_;
    std::shared_ptr<ContextLink> link_;
    bool noBatch_ = false;

    GLuint program_ = 0;
    GLint addColourUniform_ = -1;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
    GLuint samplers_[2] = {0, 0};  // linear, point
    // Each presented frame stays readable for screenshots.
    bool keepFrames_ = false;
    PictureLoader* pictures_ = nullptr;
    // This frame goes straight into the window's back buffer: no copy, which on a
    // software rasteriser costs as much as a frame of a few thousand sprites.
    bool direct_ = false;
    bool frameBegun_ = false;
    std::array<RenderTarget, 2> targets_{};
    int current_ = 0;
    int presented_ = 0;
    bool hasPresented_ = false;

    std::vector<GLVertex> pending_;  // sized once: no allocation per quad
    int pendingQuads_ = 0;
    BatchKey batchKey_;
    int streamCursor_ = 0;

    // What the context currently has, so a flush only issues the changes.
    GLuint boundTexture_ = 0;
    // The last texture drawn, known to be this device's, and its name.
    const Texture* checkedTexture_ = nullptr;
    GLuint checkedName_ = 0;
    int appliedBlend_ = 0;
    int appliedAddColour_ = 0;
    int appliedPointSampling_ = 0;

    int drawCalls_ = 0;
    int lastFrameDrawCalls_ = 0;
};

GLTexture::~GLTexture() {
    if (Link != nullptr && Link->Device != nullptr) {
        Link->Device->OnTextureDestroyed(Name);
    }
}

}  // namespace

std::unique_ptr<Renderer> CreateOpenGLRenderer(Window& window, int pictureWidth, int pictureHeight,
                                               bool vsync, bool keepFrames, std::string* error) {
    auto fail = [error](const std::string& why) {
        if (error != nullptr) {
            *error = why;
        }
        return nullptr;
    };
    SDL_Window* native = static_cast<SDL_Window*>(window.NativeHandle());
    if (native == nullptr) {
        return fail("there is no window to draw in");
    }
    const int width = pictureWidth < 1 ? 1 : pictureWidth;
    const int height = pictureHeight < 1 ? 1 : pictureHeight;
    SDL_GLContext context = SDL_GL_CreateContext(native);
    if (context == nullptr) {
        return fail(std::string("no OpenGL 3.3 core context can be made (") + SDL_GetError() + ")");
    }
    if (!epoxy_is_desktop_gl() || epoxy_gl_version() < 33) {
        const int version = epoxy_gl_version();
        SDL_GL_DeleteContext(context);
        return fail("OpenGL 3.3 is needed, but the driver offers only " +
                    std::to_string(version / 10) + "." + std::to_string(version % 10));
    }
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
    auto device = std::make_unique<OpenGLRenderer>(window, context, width, height, keepFrames);
    std::string why;
    if (!device->Setup(why)) {
        return fail(why);
    }
    return device;
}

}  // namespace Velmora::Platform
