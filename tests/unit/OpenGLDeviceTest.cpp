// The OpenGL device on a real window: needs a display (ctest runs this suite under
// Xvfb), and skips itself without one. Pictures are drawn through the device with
// known transforms and read back through SaveScreenshot.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "TestGame.h"
#include "platform/OpenGLDevice.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "resource/SpriteRecord.h"

namespace Velmora::Platform {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr std::uint32_t kClear = 0xFF0C61BEu;
// Opaque white vertices leave the picture as it is under the default colour rule.
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct Rgb {
    int r, g, b;
};
const Rgb kClearRgb{12, 97, 190};
const Rgb kRed{255, 0, 0};
// Half-transparent red over the clear colour: 255 * 128/255 + c * 127/255.
const Rgb kHalfRed{134, 48, 95};

class OpenGLDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no display";
        }
        // Sprite records project onto the configured client size.
        savedWidth_ = g_screenWidth;
        savedHeight_ = g_screenHeight;
        g_screenWidth = kWidth;
        g_screenHeight = kHeight;
        std::string error;
        window_ = Window::Create("velmora test", "vq_test", kWidth, kHeight, &error);
        ASSERT_NE(window_, nullptr) << error;
        Remake(false);
    }
    void TearDown() override {
        textures_.clear();
        device_.reset();
        window_.reset();
        g_screenWidth = savedWidth_;
        g_screenHeight = savedHeight_;
    }

    // A new device in the sprite set-up: screen pixels, origin top-left, y down; cull
    // what is counter-clockwise on screen, so quads wound like SetQuad's are drawn.
    void Remake(bool fullScreen, bool keepFrames = true) {
        textures_.clear();
        device_.reset();
        std::string error;
        device_ = CreateOpenGLDevice(*window_, fullScreen, 800, 600, false, keepFrames, &error);
        ASSERT_NE(device_, nullptr) << error;
        device_->SetTransform(TransformKind::View, MatrixIdentity());
        device_->SetTransform(TransformKind::World, MatrixIdentity());
        device_->SetTransform(
            TransformKind::Projection,
            MatrixOrthoOffCenterLH(0.0f, static_cast<float>(device_->BackBufferWidth()),
                                   static_cast<float>(device_->BackBufferHeight()), 0.0f, 0.0f,
                                   1.0f));
        device_->State().Cull = CullMode::CounterClockwise;
        device_->State().Lighting = false;
    }

    // A picture of w x h texels given row by row as 0xAARRGGBB (one fills it).
    std::string Picture(int w, int h, const std::vector<std::uint32_t>& argb) {
        const std::string path = "p" + std::to_string(pictures_++) + ".png";
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
            const float u = static_cast<float>(i % 2);
            const float v = static_cast<float>(i / 2);
            buffer.Vertices[i] = SpriteVertex{x + u * w, y + v * h, 0.0f, colour, u, v};
        }
        return buffer;
    }

    // Clears, runs draw, presents and reads the presented frame back.
    Image Frame(const std::function<void()>& draw) {
        device_->Clear(kClear);
        EXPECT_TRUE(device_->BeginScene());
        draw();
        device_->EndScene();
        device_->Present();
        return Shot();
    }
    Image Shot() {
        Image image;
        EXPECT_TRUE(device_->SaveScreenshot("shot.png"));
        EXPECT_TRUE(LoadImageRgba("shot.png", image));
        return image;
    }

    // What the window's back buffer holds now, top row first, opaque like a screenshot.
    static Image WindowPixels() {
        Image image;
        image.Width = kWidth;
        image.Height = kHeight;
        const std::size_t row = static_cast<std::size_t>(kWidth) * 4;
        std::vector<std::uint8_t> bottomUp(row * kHeight);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
        for (int y = 0; y < kHeight; ++y) {
            const auto* from = &bottomUp[static_cast<std::size_t>(kHeight - 1 - y) * row];
            image.Rgba.insert(image.Rgba.end(), from, from + row);
        }
        for (std::size_t i = 3; i < image.Rgba.size(); i += 4) {
            image.Rgba[i] = 0xFF;
        }
        return image;
    }

    static Rgb At(const Image& image, int x, int y) {
        const std::size_t i = (static_cast<std::size_t>(y) * image.Width + x) * 4;
        return Rgb{image.Rgba[i], image.Rgba[i + 1], image.Rgba[i + 2]};
    }
    static void ExpectPixel(const Image& image, int x, int y, Rgb want, int tolerance = 1) {
        const Rgb got = At(image, x, y);
        EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance &&
                    std::abs(got.g - want.g) <= tolerance && std::abs(got.b - want.b) <= tolerance)
            << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b
            << "), expected (" << want.r << ", " << want.g << ", " << want.b << ")";
    }

    Testing::TempGame game_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<GraphicsDevice> device_;
    std::vector<std::unique_ptr<Texture>> textures_;
    int pictures_ = 0;
    int savedWidth_ = 0;
    int savedHeight_ = 0;
};

TEST_F(OpenGLDeviceTest, PlacementColourAndBlendRulesAndTheCallsTheyTake) {
    const Texture* red = MakeTexture(1, 1, {0xFFFF0000u});
    const Texture* halfRed = MakeTexture(1, 1, {0x80FF0000u});
    const Texture* mixed = MakeTexture(1, 1, {0xFFC86432u});  // (200, 100, 50)
    EXPECT_EQ(kWidth, device_->BackBufferWidth());
    EXPECT_EQ(kHeight, device_->BackBufferHeight());
    const Image image = Frame([&] {
        // A 20 x 10 quad moved to (10, 40) by the world matrix, as sprites are.
        device_->SetTransform(TransformKind::World, MatrixTranslation(10.0f, 40.0f, 0.0f));
        device_->DrawQuad(red, Quad(0, 0, 20, 10, kWhite));
        device_->SetTransform(TransformKind::World, MatrixIdentity());
        // Sprite rule: the tint is added to the picture, saturating; opacity comes from
        // the vertex times the picture.
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->DrawQuad(red, Quad(0, 0, 10, 10, 0xFF008000u));
        device_->DrawQuad(mixed, Quad(10, 0, 10, 10, 0xFF643200u));
        device_->State().AlphaBlend = true;
        device_->DrawQuad(red, Quad(20, 0, 10, 10, 0x80000000u));
        device_->DrawQuad(halfRed, Quad(30, 0, 10, 10, 0xFF000000u));
        device_->DrawQuad(red, Quad(40, 0, 10, 10, 0x00000000u));
        device_->State().Lighting = true;  // no effect here, so no new call
        device_->DrawQuad(red, Quad(50, 0, 10, 10, 0x80000000u));
        // Device default: the picture times the vertex colour, the picture's alpha.
        device_->State().Colour = ColourOp::Modulate;
        device_->DrawQuad(red, Quad(60, 0, 10, 10, 0x00808080u));
        device_->DrawQuad(halfRed, Quad(70, 0, 10, 10, 0x00FFFFFFu));
        device_->State().AlphaBlend = false;
        device_->DrawQuad(halfRed, Quad(80, 0, 10, 10, kWhite));
        device_->State().PointSampling = true;
        device_->DrawQuad(halfRed, Quad(90, 0, 10, 10, kWhite));
    });
    ASSERT_EQ(kWidth, image.Width);
    ASSERT_EQ(kHeight, image.Height);
    // The moved quad's corners, and the pixels just outside them.
    for (auto [x, y, rgb] : {std::tuple{10, 40, kRed},
                             {29, 49, kRed},
                             {9, 40, kClearRgb},
                             {30, 49, kClearRgb},
                             {10, 39, kClearRgb},
                             {10, 50, kClearRgb}}) {
        ExpectPixel(image, x, y, rgb);
    }

    const Rgb expected[] = {{255, 128, 0}, {255, 150, 50}, kHalfRed, kHalfRed, kClearRgb,
                            kHalfRed,      {128, 0, 0},    kHalfRed, kRed,     kRed};
    for (int i = 0; i < 10; ++i) {
        ExpectPixel(image, 10 * i + 5, 5, expected[i]);
    }
    // Splits at each change of texture, blending, colour rule and sampling.
    EXPECT_EQ(10, device_->LastFrameDrawCalls());
}

TEST_F(OpenGLDeviceTest, CullingFollowsScreenWinding) {
    const Texture* red = MakeTexture(1, 1, {0xFFFF0000u});
    // Mirrored left to right: counter-clockwise on screen.
    VertexBuffer mirrored = Quad(0, 0, 20, 20, kWhite);
    std::swap(mirrored.Vertices[0], mirrored.Vertices[1]);
    std::swap(mirrored.Vertices[2], mirrored.Vertices[3]);
    const struct {
        CullMode mode;
        Rgb mirrored, normal;
    } cases[] = {{CullMode::CounterClockwise, kClearRgb, kRed},
                 {CullMode::Clockwise, kRed, kClearRgb},
                 {CullMode::None, kRed, kRed}};
    for (const auto& c : cases) {
        const Image image = Frame([&] {
            device_->State().Cull = c.mode;
            device_->DrawQuad(red, mirrored);
            device_->DrawQuad(red, Quad(40, 0, 20, 20, kWhite));
        });
        ExpectPixel(image, 10, 10, c.mirrored);
        ExpectPixel(image, 50, 10, c.normal);
    }
}

TEST_F(OpenGLDeviceTest, SkipsWhatCannotBeDrawnAndShowsOnlyPresentedFrames) {
    EXPECT_FALSE(device_->SaveScreenshot("none.png"));  // nothing presented yet
    EXPECT_EQ(device_->CreateTextureFromFile("missing.png"), nullptr);
    game_.Write("junk.png", "not a picture");
    EXPECT_EQ(device_->CreateTextureFromFile("junk.png"), nullptr);
    const Texture* red = MakeTexture(3, 2, {0xFFFF0000u});
    EXPECT_EQ(red->Width, 3);
    EXPECT_EQ(red->Height, 2);
    std::unique_ptr<Texture> green = device_->CreateTextureFromFile(Picture(1, 1, {0xFF00FF00u}));
    Texture foreign;  // not made by this device
    const Image image = Frame([&] {
        device_->DrawQuad(nullptr, Quad(0, 0, 20, 20, kWhite));
        device_->DrawQuad(&foreign, Quad(0, 0, 20, 20, kWhite));
        device_->DrawQuad(red, Quad(0, 0, 0, 0, kWhite));  // degenerate
        device_->DrawQuad(green.get(), Quad(40, 0, 20, 20, kWhite));
        green.reset();  // released while its quad waits in the batch
    });
    ExpectPixel(image, 5, 5, kClearRgb);
    ExpectPixel(image, 50, 10, {0, 255, 0});
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);

    // Half a frame drawn after presenting does not show.
    device_->Clear(0xFF00FF00u);
    device_->DrawQuad(red, Quad(0, 0, 20, 20, kWhite));
    ExpectPixel(Shot(), 5, 5, kClearRgb);
    // The device goes first; the textures it made are released afterwards.
    device_.reset();
    textures_.clear();
}

// Overlapping, rotated, semi-transparent quads of one texture, the stage's usual mix,
// must give the same picture batched or not, and drawn straight into the window (when
// no screenshot is wanted) or into a kept frame; a change of cull mode alone must not
// split the batch.
TEST_F(OpenGLDeviceTest, BatchingAndDrawingIntoTheWindowKeepThePicture) {
    constexpr int kQuads = 300;
    auto frame = [&](bool present) {
        const Texture* texture =
            MakeTexture(2, 2, {0xFFFF0000u, 0x80FFFFFFu, 0xC000FF00u, 0xFF0000FFu});
        device_->Clear(kClear);
        EXPECT_TRUE(device_->BeginScene());
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->State().AlphaBlend = true;
        device_->State().PointSampling = true;
        for (int i = 0; i < kQuads; ++i) {
            device_->SetTransform(
                TransformKind::World,
                MatrixMultiply(MatrixRotationZ(0.37f * static_cast<float>(i)),
                               MatrixTranslation(static_cast<float>((i * 37) % kWidth),
                                                 static_cast<float>((i * 53) % kHeight), 0.0f)));
            device_->State().Cull = i % 2 == 0 ? CullMode::CounterClockwise : CullMode::None;
            const auto tint =
                static_cast<std::uint32_t>(((i * 29) % 256) << 24 | ((i * 71) % 256) << 8);
            device_->DrawQuad(texture, Quad(-8.5f, -6.0f, 17.0f, 12.0f, tint));
        }
        device_->EndScene();
        if (!present) {
            return WindowPixels();
        }
        device_->Present();
        return Shot();
    };
    const Image batched = frame(true);
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);

    ASSERT_NO_FATAL_FAILURE(Remake(false, false));
    const Image direct = frame(false);
    device_->Present();
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
    EXPECT_FALSE(device_->SaveScreenshot("none.png"));  // nothing is kept to read
    // The software rasteriser blends into the window's own pixel format, which may
    // round a blended channel the other way: one step is all it may differ by.
    ASSERT_EQ(batched.Rgba.size(), direct.Rgba.size());
    int worst = 0;
    for (std::size_t i = 0; i < batched.Rgba.size(); ++i) {
        worst = std::max(worst, std::abs(batched.Rgba[i] - direct.Rgba[i]));
    }
    EXPECT_LE(worst, 1) << "drawing into the window changed the picture";

    Testing::ScopedEnv noBatch("VELMORA_GL_NO_BATCH", "1");
    ASSERT_NO_FATAL_FAILURE(Remake(false));
    const Image single = frame(true);
    EXPECT_EQ(device_->LastFrameDrawCalls(), kQuads);
    EXPECT_TRUE(batched.Rgba == single.Rgba) << "batching changed the picture";
}

// The score board draws one record several times a frame, rewriting its texture
// coordinates in between: each draw must keep the cell it had when it was issued.
TEST_F(OpenGLDeviceTest, OneRecordDrawnWithManyCellsInOneCall) {
    const std::uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
    std::vector<std::uint32_t> texels;
    for (int i = 0; i < 8 * 32; ++i) {
        texels.push_back(colours[(i % 32) / 8]);
    }
    SpriteRecord digits(device_.get());
    ASSERT_TRUE(digits.LoadFrames(Picture(32, 8, texels), 8, 8, 4, 1));
    const Image image = Frame([&] {
        device_->State().PointSampling = true;
        digits.ApplyColour(1.0f);
        for (int i = 0; i < 4; ++i) {
            const float left = 0.25f * static_cast<float>(i);
            digits.SetTexCoords(left, 0.0f, left + 0.25f, 1.0f);
            digits.Draw(20.0f + 10.0f * static_cast<float>(i), 20.0f);
        }
    });
    const Rgb expected[] = {kRed, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    for (int i = 0; i < 4; ++i) {
        ExpectPixel(image, 20 + 10 * i, 20, expected[i]);
    }
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
}

// A full-screen back buffer of another size shows the same field scaled.
TEST_F(OpenGLDeviceTest, FullScreenScalesTheField) {
    ASSERT_NO_FATAL_FAILURE(Remake(true));
    SpriteRecord box(device_.get());
    ASSERT_TRUE(box.Load(Picture(20, 20, {0xFFFF0000u}), 20, 20));
    const Image image = Frame([&] {
        box.ApplyColour(1.0f);
        box.Draw(kWidth / 2.0f, kHeight / 2.0f);  // 800 / 160 = 5 screen pixels per field pixel
    });
    ASSERT_EQ(image.Width, 800);
    ASSERT_EQ(image.Height, 600);
    for (auto [x, y, rgb] : {std::tuple{400, 300, kRed},
                             {351, 251, kRed},
                             {448, 348, kRed},
                             {348, 300, kClearRgb},
                             {452, 300, kClearRgb}}) {
        ExpectPixel(image, x, y, rgb);
    }
}

}  // namespace
}  // namespace Velmora::Platform
