// The OpenGL renderer on a real window: ctest runs this suite under Xvfb, and it skips
// itself without a display. Frames are read back through SaveScreenshot.
#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>

#include "TestGame.h"
#include "platform/OpenGLRenderer.h"
#include "platform/Window.h"
#include "resource/SpriteRecord.h"

namespace Velmora::Platform {
namespace {

constexpr int kWidth = 160, kHeight = 120;
constexpr std::uint32_t kClear = 0xFF0C61BEu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;  // leaves the picture as it is
// Read back as 0xRRGGBB; half-transparent red over the clear colour is 255 * 128/255 + c * 127/255.
constexpr std::uint32_t kClearRgb = 0x0C61BEu, kRed = 0xFF0000u, kGreen = 0x00FF00u,
                        kHalfRed = 0x86305Fu;

class OpenGLRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no display";
        }
        std::string error;
        window_ = Window::Create("velmora test", "vq_test", kWidth, kHeight, 1, false, &error);
        ASSERT_NE(window_, nullptr) << error;
        Remake();
    }
    void TearDown() override {
        textures_.clear();
        device_.reset();
        window_.reset();
    }
    // Screen pixels, origin top-left, y down; quads wound like SetQuad's are not culled.
    void Remake(bool keepFrames = true) {
        textures_.clear();
        device_.reset();
        std::string error;
        device_ = CreateOpenGLRenderer(*window_, kWidth, kHeight, false, keepFrames, &error);
        ASSERT_NE(device_, nullptr) << error;
        device_->State().Cull = CullMode::CounterClockwise;
    }
    // A picture of w x h texels given row by row as 0xAARRGGBB (one fills it).
    std::string Picture(int w, int h, const std::vector<std::uint32_t>& argb) {
        const std::string path = "p" + std::to_string(++pictures_) + ".png";
        EXPECT_TRUE(Testing::WritePng(path, w, h, argb));
        return path;
    }
    const Texture* MakeTexture(int w, int h, const std::vector<std::uint32_t>& argb) {
        textures_.push_back(device_->CreateTextureFromFile(Picture(w, h, argb)));
        EXPECT_NE(textures_.back(), nullptr);
        return textures_.back().get();
    }
    // Corners in SetQuad's order: top-left, top-right, bottom-left, bottom-right.
    static VertexBuffer Quad(float x, float y, float w, float h, std::uint32_t colour) {
        VertexBuffer buffer;
        for (int i = 0; i < 4; ++i) {
            const float u = float(i % 2), v = float(i / 2);
            buffer.Vertices[i] = SpriteVertex{x + u * w, y + v * h, colour, u, v};
        }
        return buffer;
    }
    // Draws a quad in picture pixels, as placed.
    void DrawQuad(const Texture* texture, const VertexBuffer& quad, Placement where = {}) {
        device_->DrawQuad(texture, quad, where);
    }
    // Clears, draws, presents and reads the presented frame back.
    Image Frame(const std::function<void()>& draw) {
        device_->Clear(kClear);
        EXPECT_TRUE(device_->BeginFrame());
        draw();
        device_->EndFrame();
        device_->Present();
        return Shot();
    }
    Image Shot() {
        Image image;
        std::string error;
        EXPECT_TRUE(device_->SaveScreenshot("shot.png", &error) && LoadImageRgba("shot.png", image))
            << error;
        return image;
    }
    // Each channel within one step of the wanted 0xRRGGBB.
    static void ExpectPixel(const Image& image, int x, int y, std::uint32_t want) {
        const std::uint8_t* p = &image.Rgba[(std::size_t(y) * image.Width + x) * 4];
        bool near = true;
        for (int c = 0; c < 3; ++c) {
            near = near && std::abs(p[c] - int(want >> (16 - 8 * c) & 0xFF)) <= 1;
        }
        EXPECT_TRUE(near) << "pixel (" << x << ", " << y << ") is " << std::hex
                          << (p[0] << 16 | p[1] << 8 | p[2]) << ", expected " << want;
    }
    Testing::TempGame game_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Renderer> device_;
    std::vector<std::unique_ptr<Texture>> textures_;
    int pictures_ = 0;
};

// Every rule a sprite's draw passes, and the batches they make, in one frame (placement: the
// sprites pixel test).
TEST_F(OpenGLRendererTest, EveryRuleOfADrawInOneFrame) {
    std::string why;
    EXPECT_FALSE(device_->SaveScreenshot("none.png", &why));
    EXPECT_EQ("no frame has been drawn", why);
    EXPECT_EQ(device_->CreateTextureFromFile("missing.png"), nullptr);
    game_.Write("junk.png", "not a picture");
    EXPECT_EQ(device_->CreateTextureFromFile("junk.png"), nullptr);
    const Texture* red = MakeTexture(1, 1, {0xFFFF0000u});
    const Texture* halfRed = MakeTexture(1, 1, {0x80FF0000u});
    const Texture* mixed = MakeTexture(1, 1, {0xFFC86432u});  // (200, 100, 50)
    std::unique_ptr<Texture> green = device_->CreateTextureFromFile(Picture(1, 1, {0xFF00FF00u}));
    Texture foreign;                        // not made by this device
    auto mirrored = [](float x, float y) {  // counter-clockwise on screen
        VertexBuffer quad = Quad(x, y, 10, 10, kWhite);
        std::swap(quad.Vertices[0], quad.Vertices[1]);
        std::swap(quad.Vertices[2], quad.Vertices[3]);
        return quad;
    };
    const Image image = Frame([&] {
        // Culling follows the winding on screen, and alone does not split the batch.
        DrawQuad(red, mirrored(0, 20));
        device_->State().Cull = CullMode::Clockwise;
        DrawQuad(red, mirrored(10, 20));
        DrawQuad(red, Quad(20, 20, 10, 10, kWhite));
        device_->State().Cull = CullMode::None;
        DrawQuad(red, mirrored(30, 20));
        DrawQuad(red, Quad(40, 20, 10, 10, kWhite));
        device_->State().Cull = CullMode::CounterClockwise;
        DrawQuad(nullptr, Quad(50, 20, 10, 10, kWhite));
        DrawQuad(&foreign, Quad(50, 20, 10, 10, kWhite));
        DrawQuad(red, Quad(50, 20, 0, 0, kWhite));  // degenerate
        // Sprite rule: the tint is added to the picture, saturating; opacity comes from
        // the vertex times the picture.
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        DrawQuad(red, Quad(0, 0, 10, 10, 0xFF008000u));
        DrawQuad(mixed, Quad(10, 0, 10, 10, 0xFF643200u));
        device_->State().AlphaBlend = true;
        DrawQuad(red, Quad(20, 0, 10, 10, 0x80000000u));
        DrawQuad(halfRed, Quad(30, 0, 10, 10, 0xFF000000u));
        DrawQuad(red, Quad(40, 0, 10, 10, 0x00000000u));
        DrawQuad(red, Quad(50, 0, 10, 10, 0x80000000u));
        device_->State().AlphaBlend = false;
        DrawQuad(halfRed, Quad(60, 0, 10, 10, 0xFF000000u));
        device_->State().PointSampling = true;
        DrawQuad(halfRed, Quad(70, 0, 10, 10, 0xFF000000u));
        DrawQuad(green.get(), Quad(60, 20, 10, 10, 0xFF000000u));
        green.reset();  // released while its quad waits in the batch
    });
    ASSERT_EQ(kWidth, image.Width);
    ASSERT_EQ(kHeight, image.Height);
    // 10-pixel cells sampled at their centres: colour rule and blending; culling and the rest.
    const std::pair<int, std::vector<std::uint32_t>> rows[] = {
        {5, {0xFF8000, 0xFF9632, kHalfRed, kHalfRed, kClearRgb, kHalfRed, kRed, kRed}},
        {25, {kClearRgb, kRed, kClearRgb, kRed, kRed, kClearRgb, kGreen}}};
    for (const auto& [y, colours] : rows) {
        for (std::size_t i = 0; i < colours.size(); ++i) {
            ExpectPixel(image, 10 * int(i) + 5, y, colours[i]);
        }
    }
    // Splits at each change of texture, blending, colour rule and sampling.
    EXPECT_EQ(9, device_->LastFrameDrawCalls());
    // Half a frame drawn after presenting does not show.
    device_->Clear(0xFF00FF00u);
    DrawQuad(red, Quad(0, 0, 20, 20, kWhite));
    ExpectPixel(Shot(), 5, 5, 0xFF8000);
    // A screenshot that cannot be written says why, a full disk included.
    for (auto [path, reason] : {std::pair{"/dev/full", "No space left on device"},
                                {"no/such/folder/shot.png", "No such file or directory"}}) {
        EXPECT_FALSE(device_->SaveScreenshot(path, &why)) << path;
        EXPECT_EQ(reason, why) << path;
    }
    // The device goes first; the textures it made are released afterwards.
    device_.reset();
    textures_.clear();
}

// The stage's usual mix of quads gives the same picture, in one call, drawn straight into the
// window (no screenshot wanted) as into a kept frame; unbatched: the sprites pixel test.
TEST_F(OpenGLRendererTest, DrawingIntoTheWindowKeepsThePicture) {
    auto frame = [&] {
        const Texture* texture =
            MakeTexture(2, 2, {0xFFFF0000u, 0x80FFFFFFu, 0xC000FF00u, 0xFF0000FFu});
        device_->Clear(kClear);
        EXPECT_TRUE(device_->BeginFrame());
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->State().AlphaBlend = true;
        device_->State().PointSampling = true;
        for (int i = 0; i < 300; ++i) {
            device_->State().Cull = i % 2 == 0 ? CullMode::CounterClockwise : CullMode::None;
            const auto tint = std::uint32_t(((i * 29) % 256) << 24 | ((i * 71) % 256) << 8);
            DrawQuad(texture, Quad(-8.5f, -6.0f, 17.0f, 12.0f, tint),
                     {float((i * 37) % kWidth), float((i * 53) % kHeight), 1.0f, 0.37f * float(i)});
        }
        device_->EndFrame();
    };
    frame();
    device_->Present();
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
    const std::vector<std::uint8_t> kept = Shot().Rgba;
    ASSERT_NO_FATAL_FAILURE(Remake(false));
    frame();
    // The window's back buffer, bottom row first.
    std::vector<std::uint8_t> direct(std::size_t(kWidth) * kHeight * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, direct.data());
    device_->Present();
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
    std::string why;
    EXPECT_FALSE(device_->SaveScreenshot("none.png", &why));  // nothing is kept to read
    // Blending in the window's own pixel format may round a channel the other way by one step.
    ASSERT_EQ(kept.size(), direct.size());
    int worst = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const std::size_t flipped =
            (kHeight - 1 - i / (kWidth * 4)) * kWidth * 4 + i % (kWidth * 4);
        worst = std::max(worst, i % 4 == 3 ? 0 : std::abs(kept[i] - direct[flipped]));
    }
    EXPECT_LE(worst, 1) << "drawing into the window changed the picture";
}

// A window of any size shows the picture at the largest whole scale that fits (at least 1),
// sampled nearest, centred between black bars; screenshots keep the picture's own size.
TEST_F(OpenGLRendererTest, TheWindowShowsThePictureLetterboxedAtAWholeScale) {
    const Texture* red = MakeTexture(1, 1, {0xFFFF0000u});
    const Texture* green = MakeTexture(1, 1, {0xFF00FF00u});
    for (auto [windowWidth, windowHeight, scale] :
         {std::tuple{400, 300, 2}, {300, 280, 1}, {100, 100, 1}}) {
        SDL_SetWindowSize(static_cast<SDL_Window*>(window_->NativeHandle()), windowWidth,
                          windowHeight);
        // Lit corner pixels show where the edges went; a new size is taken up at a swap.
        Image picture;
        for (int i = 0; i < 2; ++i) {
            picture = Frame([&] {
                DrawQuad(red, Quad(0, 0, 1, 1, kWhite));
                DrawQuad(green, Quad(kWidth - 1, kHeight - 1, 1, 1, kWhite));
            });
        }
        Image shown;
        std::string error;
        ASSERT_TRUE(device_->ReadWindowPixels(shown, &error)) << error;
        ASSERT_EQ(std::make_tuple(kWidth, windowWidth, windowHeight),
                  std::make_tuple(picture.Width, shown.Width, shown.Height));
        // Even margins: no odd pixel to place. Negative ones cut the picture.
        const int left = (windowWidth - kWidth * scale) / 2;
        const int top = (windowHeight - kHeight * scale) / 2;
        const std::uint8_t black[3] = {0, 0, 0};
        int wrong = 0;
        for (int y = 0; y < shown.Height && wrong < 5; ++y) {
            for (int x = 0; x < shown.Width && wrong < 5; ++x) {
                const int px = x - left, py = y - top;
                const bool inside =
                    px >= 0 && py >= 0 && px < kWidth * scale && py < kHeight * scale;
                const std::uint8_t* want =
                    inside ? &picture.Rgba[(std::size_t(py / scale) * kWidth + px / scale) * 4]
                           : black;
                if (!std::equal(want, want + 3,
                                &shown.Rgba[(std::size_t(y) * shown.Width + x) * 4])) {
                    ADD_FAILURE() << windowWidth << " x " << windowHeight << ": pixel (" << x
                                  << ", " << y << ") is not picture pixel (" << px / scale << ", "
                                  << py / scale << ")";
                    ++wrong;
                }
            }
        }
    }
}

}  // namespace
}  // namespace Velmora::Platform
