// The OpenGL device on a real window: needs a display (ctest runs this suite under
// Xvfb), and skips itself without one. Pictures are drawn through the device with
// known transforms and read back through SaveScreenshot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestGame.h"
#include "platform/ImageFile.h"
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

class OpenGLDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no display";
        }
        std::string error;
        window_ = Window::Create("velmora test", "vq_test", kWidth, kHeight, &error);
        ASSERT_NE(window_, nullptr) << error;
        device_ = MakeDevice(false);
        ASSERT_NE(device_, nullptr);
    }

    void TearDown() override {
        unsetenv("VELMORA_GL_NO_BATCH");
        textures_.clear();
        device_.reset();
        window_.reset();
    }

    std::unique_ptr<GraphicsDevice> MakeDevice(bool fullScreen) {
        std::string error;
        auto device = CreateOpenGLDevice(*window_, fullScreen, 800, 600, false, &error);
        EXPECT_NE(device, nullptr) << error;
        if (device != nullptr) {
            PixelSpace(*device);
        }
        return device;
    }

    // The sprite set-up: screen pixels, origin top-left, y down; cull what is
    // counter-clockwise on screen, so quads wound like SetQuad's are drawn.
    static void PixelSpace(GraphicsDevice& device) {
        device.SetTransform(TransformKind::View, MatrixIdentity());
        device.SetTransform(TransformKind::World, MatrixIdentity());
        device.SetTransform(TransformKind::Projection,
                            MatrixOrthoOffCenterLH(
                                0.0f, static_cast<float>(device.BackBufferWidth()),
                                static_cast<float>(device.BackBufferHeight()), 0.0f, 0.0f, 1.0f));
        device.State().Cull = CullMode::CounterClockwise;
        device.State().Lighting = false;
    }

    // A picture of w x h texels given row by row as 0xAARRGGBB.
    const Texture* MakeTexture(GraphicsDevice& device, int w, int h,
                               const std::vector<std::uint32_t>& argb) {
        textures_.push_back(device.CreateTextureFromFile(WritePicture(w, h, argb)));
        EXPECT_NE(textures_.back(), nullptr);
        return textures_.back().get();
    }

    std::string WritePicture(int w, int h, const std::vector<std::uint32_t>& argb) {
        Image image;
        image.Width = w;
        image.Height = h;
        for (std::uint32_t c : argb) {
            image.Rgba.push_back(static_cast<std::uint8_t>(c >> 16));
            image.Rgba.push_back(static_cast<std::uint8_t>(c >> 8));
            image.Rgba.push_back(static_cast<std::uint8_t>(c));
            image.Rgba.push_back(static_cast<std::uint8_t>(c >> 24));
        }
        const std::string path =
            (game_.Root() / ("p" + std::to_string(pictures_++) + ".png")).string();
        EXPECT_TRUE(SavePngRgba(path, image));
        return path;
    }

    // Corners in SetQuad's order: top-left, top-right, bottom-left, bottom-right.
    static VertexBuffer Quad(float x, float y, float w, float h, std::uint32_t colour) {
        VertexBuffer buffer;
        const float xs[4] = {x, x + w, x, x + w};
        const float ys[4] = {y, y, y + h, y + h};
        const float us[4] = {0, 1, 0, 1};
        const float vs[4] = {0, 0, 1, 1};
        for (int i = 0; i < 4; ++i) {
            buffer.Vertices[i] = SpriteVertex{xs[i], ys[i], 0.0f, colour, us[i], vs[i]};
        }
        return buffer;
    }

    // Clears, runs draw, presents and reads the presented frame back.
    Image Frame(GraphicsDevice& device, const std::function<void()>& draw) {
        device.Clear(kClear);
        EXPECT_TRUE(device.BeginScene());
        draw();
        device.EndScene();
        device.Present();
        const std::string path = (game_.Root() / "shot.png").string();
        Image image;
        EXPECT_TRUE(device.SaveScreenshot(path));
        EXPECT_TRUE(LoadImageRgba(path, image));
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
};

const Rgb kClearRgb{12, 97, 190};

TEST_F(OpenGLDeviceTest, QuadLandsOnItsPixelsTopDown) {
    const Texture* red = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    EXPECT_EQ(device_->BackBufferWidth(), kWidth);
    EXPECT_EQ(device_->BackBufferHeight(), kHeight);
    // A 20 x 10 quad at (10, 20), moved there by the world matrix like a sprite.
    const Image image = Frame(*device_, [&] {
        device_->SetTransform(TransformKind::World, MatrixTranslation(10.0f, 20.0f, 0.0f));
        device_->DrawQuad(red, Quad(0, 0, 20, 10, kWhite));
    });
    ASSERT_EQ(image.Width, kWidth);
    ASSERT_EQ(image.Height, kHeight);
    const Rgb red255{255, 0, 0};
    ExpectPixel(image, 10, 20, red255);
    ExpectPixel(image, 29, 29, red255);
    ExpectPixel(image, 9, 20, kClearRgb);
    ExpectPixel(image, 30, 20, kClearRgb);
    ExpectPixel(image, 10, 19, kClearRgb);
    ExpectPixel(image, 10, 30, kClearRgb);
    ExpectPixel(image, 100, 100, kClearRgb);
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
}

TEST_F(OpenGLDeviceTest, ColourRules) {
    const Texture* red = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    const Texture* mixed = MakeTexture(*device_, 1, 1, {0xFFC86432u});  // (200, 100, 50)
    const Image image = Frame(*device_, [&] {
        // Sprite rule: the tint is added to the picture, saturating.
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->DrawQuad(red, Quad(0, 0, 10, 10, 0xFF008000u));
        device_->DrawQuad(mixed, Quad(10, 0, 10, 10, 0xFF643200u));
        device_->DrawQuad(mixed, Quad(20, 0, 10, 10, 0xFF000000u));
        // Device default: the picture times the vertex colour, the picture's alpha.
        device_->State().Colour = ColourOp::Modulate;
        device_->State().AlphaBlend = true;
        device_->DrawQuad(red, Quad(30, 0, 10, 10, 0x00808080u));
    });
    ExpectPixel(image, 5, 5, {255, 128, 0});
    ExpectPixel(image, 15, 5, {255, 150, 50});
    ExpectPixel(image, 25, 5, {200, 100, 50});
    ExpectPixel(image, 35, 5, {128, 0, 0});
}

TEST_F(OpenGLDeviceTest, AlphaBlendsOverTheClearColourOnlyWhenEnabled) {
    const Texture* red = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    const Texture* halfRed = MakeTexture(*device_, 1, 1, {0x80FF0000u});
    const Image image = Frame(*device_, [&] {
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->State().AlphaBlend = true;
        device_->DrawQuad(red, Quad(0, 0, 10, 10, 0x80000000u));       // opacity from the vertex
        device_->DrawQuad(halfRed, Quad(10, 0, 10, 10, 0xFF000000u));  // from the picture
        device_->DrawQuad(red, Quad(20, 0, 10, 10, 0x00000000u));      // fully transparent
        device_->State().Colour = ColourOp::Modulate;
        device_->DrawQuad(halfRed, Quad(30, 0, 10, 10, 0x00FFFFFFu));  // vertex alpha ignored
        device_->State().AlphaBlend = false;
        device_->DrawQuad(halfRed, Quad(40, 0, 10, 10, 0xFFFFFFFFu));
    });
    // 255 * 128/255 + c * 127/255
    const Rgb half{134, 48, 95};
    ExpectPixel(image, 5, 5, half);
    ExpectPixel(image, 15, 5, half);
    ExpectPixel(image, 25, 5, kClearRgb);
    ExpectPixel(image, 35, 5, half);
    ExpectPixel(image, 45, 5, {255, 0, 0});
}

TEST_F(OpenGLDeviceTest, PointSamplingKeepsHardTexelEdges) {
    const Texture* blackWhite = MakeTexture(*device_, 2, 1, {0xFF000000u, 0xFFFFFFFFu});
    auto draw = [&](bool point) {
        return Frame(*device_, [&] {
            device_->State().PointSampling = point;
            device_->DrawQuad(blackWhite, Quad(0, 0, 40, 10, 0xFFFFFFFFu));
        });
    };
    const Image point = draw(true);
    for (int x = 0; x < 20; ++x) {
        ExpectPixel(point, x, 5, {0, 0, 0}, 0);
        ExpectPixel(point, 20 + x, 5, {255, 255, 255}, 0);
    }
    // Filtered, the texels blend across the middle.
    const Image linear = draw(false);
    const Rgb mid = At(linear, 19, 5);
    EXPECT_GT(mid.r, 64);
    EXPECT_LT(mid.r, 192);
}

TEST_F(OpenGLDeviceTest, CullingFollowsScreenWinding) {
    const Texture* red = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    // Mirrored left to right: counter-clockwise on screen.
    VertexBuffer mirrored = Quad(0, 0, 20, 20, kWhite);
    std::swap(mirrored.Vertices[0], mirrored.Vertices[1]);
    std::swap(mirrored.Vertices[2], mirrored.Vertices[3]);
    const VertexBuffer normal = Quad(40, 0, 20, 20, kWhite);
    auto draw = [&](CullMode mode) {
        return Frame(*device_, [&] {
            device_->State().Cull = mode;
            device_->DrawQuad(red, mirrored);
            device_->DrawQuad(red, normal);
        });
    };
    const Image ccw = draw(CullMode::CounterClockwise);
    ExpectPixel(ccw, 10, 10, kClearRgb);
    ExpectPixel(ccw, 50, 10, {255, 0, 0});
    const Image cw = draw(CullMode::Clockwise);
    ExpectPixel(cw, 10, 10, {255, 0, 0});
    ExpectPixel(cw, 50, 10, kClearRgb);
    const Image none = draw(CullMode::None);
    ExpectPixel(none, 10, 10, {255, 0, 0});
    ExpectPixel(none, 50, 10, {255, 0, 0});
}

TEST_F(OpenGLDeviceTest, WhatCannotBeDrawnIsSkipped) {
    EXPECT_EQ(device_->CreateTextureFromFile((game_.Root() / "missing.png").string()), nullptr);
    game_.Write("junk.png", "not a picture");
    EXPECT_EQ(device_->CreateTextureFromFile((game_.Root() / "junk.png").string()), nullptr);
    const Texture* red = MakeTexture(*device_, 3, 2, std::vector<std::uint32_t>(6, 0xFFFF0000u));
    EXPECT_EQ(red->Width, 3);
    EXPECT_EQ(red->Height, 2);
    Texture foreign;  // not made by this device
    const Image image = Frame(*device_, [&] {
        device_->DrawQuad(nullptr, Quad(0, 0, 20, 20, kWhite));
        device_->DrawQuad(&foreign, Quad(0, 0, 20, 20, kWhite));
        device_->DrawQuad(red, Quad(0, 0, 0, 0, kWhite));  // degenerate
    });
    ExpectPixel(image, 5, 5, kClearRgb);
    EXPECT_EQ(device_->LastFrameDrawCalls(), 0);
}

TEST_F(OpenGLDeviceTest, ScreenshotIsTheLastPresentedFrame) {
    EXPECT_FALSE(device_->SaveScreenshot((game_.Root() / "none.png").string()));
    const Texture* red = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    Frame(*device_, [&] { device_->DrawQuad(red, Quad(0, 0, 20, 20, kWhite)); });
    // Half a frame drawn after presenting does not show.
    device_->Clear(0xFF00FF00u);
    device_->DrawQuad(red, Quad(40, 0, 20, 20, kWhite));
    const std::string path = (game_.Root() / "shot2.png").string();
    ASSERT_TRUE(device_->SaveScreenshot(path));
    Image image;
    ASSERT_TRUE(LoadImageRgba(path, image));
    ExpectPixel(image, 10, 10, {255, 0, 0});
    ExpectPixel(image, 50, 10, kClearRgb);
}

TEST_F(OpenGLDeviceTest, TexturesMayDieBeforeTheirDrawsOrAfterTheDevice) {
    MakeTexture(*device_, 1, 1, {0xFF00FF00u});
    std::unique_ptr<Texture> green = std::move(textures_.back());
    textures_.pop_back();
    MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    const Image image = Frame(*device_, [&] {
        device_->DrawQuad(green.get(), Quad(0, 0, 20, 20, kWhite));
        green.reset();  // released while its quad waits in the batch
    });
    ExpectPixel(image, 10, 10, {0, 255, 0});
    // The device goes first; the textures it made are released afterwards.
    device_.reset();
    textures_.clear();
}

TEST_F(OpenGLDeviceTest, BatchedQuadsMatchUnbatchedInOneDrawCall) {
    // Overlapping, rotated, semi-transparent quads of one texture, the stage's usual
    // mix; a change of cull mode alone must not split the batch.
    const std::vector<std::uint32_t> checker = {0xFFFF0000u, 0x80FFFFFFu, 0xC000FF00u, 0xFF0000FFu};
    constexpr int kQuads = 300;
    auto draw = [&](GraphicsDevice& device, const Texture* texture) {
        device.State().Colour = ColourOp::AddColourModulateAlpha;
        device.State().AlphaBlend = true;
        device.State().PointSampling = true;
        for (int i = 0; i < kQuads; ++i) {
            const Matrix world =
                MatrixMultiply(MatrixRotationZ(0.37f * static_cast<float>(i)),
                               MatrixTranslation(static_cast<float>((i * 37) % kWidth),
                                                 static_cast<float>((i * 53) % kHeight), 0.0f));
            device.SetTransform(TransformKind::World, world);
            device.State().Cull = i % 2 == 0 ? CullMode::CounterClockwise : CullMode::None;
            const auto tint =
                static_cast<std::uint32_t>(((i * 29) % 256) << 24 | ((i * 71) % 256) << 8);
            device.DrawQuad(texture, Quad(-8.5f, -6.0f, 17.0f, 12.0f, tint));
        }
    };
    const Texture* batchedTexture = MakeTexture(*device_, 2, 2, checker);
    const Image batched = Frame(*device_, [&] { draw(*device_, batchedTexture); });
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);

    textures_.clear();
    device_.reset();
    setenv("VELMORA_GL_NO_BATCH", "1", 1);
    device_ = MakeDevice(false);
    ASSERT_NE(device_, nullptr);
    const Texture* singleTexture = MakeTexture(*device_, 2, 2, checker);
    const Image single = Frame(*device_, [&] { draw(*device_, singleTexture); });
    EXPECT_EQ(device_->LastFrameDrawCalls(), kQuads);

    ASSERT_EQ(batched.Rgba.size(), single.Rgba.size());
    EXPECT_TRUE(batched.Rgba == single.Rgba) << "batching changed the picture";
}

TEST_F(OpenGLDeviceTest, StateOrTextureChangesSplitTheBatch) {
    const Texture* a = MakeTexture(*device_, 1, 1, {0xFFFF0000u});
    const Texture* b = MakeTexture(*device_, 1, 1, {0xFF00FF00u});
    Frame(*device_, [&] {
        device_->DrawQuad(a, Quad(0, 0, 10, 10, kWhite));
        device_->DrawQuad(a, Quad(10, 0, 10, 10, kWhite));
        device_->DrawQuad(b, Quad(20, 0, 10, 10, kWhite));  // texture
        device_->State().AlphaBlend = true;
        device_->DrawQuad(b, Quad(30, 0, 10, 10, kWhite));  // blending
        device_->State().Colour = ColourOp::AddColourModulateAlpha;
        device_->DrawQuad(b, Quad(40, 0, 10, 10, kWhite));  // colour rule
        device_->State().PointSampling = true;
        device_->DrawQuad(b, Quad(50, 0, 10, 10, kWhite));  // sampling
        device_->State().Lighting = true;
        device_->DrawQuad(b, Quad(60, 0, 10, 10, kWhite));  // lighting: no effect here
    });
    EXPECT_EQ(device_->LastFrameDrawCalls(), 5);
}

// Sprite records drawn through the OpenGL device the way objects draw them.
class OpenGLDeviceSpriteTest : public OpenGLDeviceTest {
protected:
    void SetUp() override {
        savedWidth_ = g_screenWidth;
        savedHeight_ = g_screenHeight;
        g_screenWidth = kWidth;
        g_screenHeight = kHeight;
        OpenGLDeviceTest::SetUp();
    }
    void TearDown() override {
        OpenGLDeviceTest::TearDown();
        g_screenWidth = savedWidth_;
        g_screenHeight = savedHeight_;
    }

    std::unique_ptr<SpriteRecord> Sprite(int w, int h, std::uint32_t argb) {
        auto record = std::make_unique<SpriteRecord>(device_.get());
        EXPECT_TRUE(record->Load(
            WritePicture(w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, argb)),
            w, h));
        return record;
    }

    // A strip of 8 x 8 cells, one colour each, as an animation or score-board picture.
    std::unique_ptr<SpriteRecord> Cells(const std::vector<std::uint32_t>& colours) {
        const int columns = static_cast<int>(colours.size());
        std::vector<std::uint32_t> texels;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8 * columns; ++x) {
                texels.push_back(colours[static_cast<std::size_t>(x / 8)]);
            }
        }
        auto record = std::make_unique<SpriteRecord>(device_.get());
        EXPECT_TRUE(record->LoadFrames(WritePicture(8 * columns, 8, texels), 8, 8, columns, 1));
        return record;
    }

    int savedWidth_ = 0;
    int savedHeight_ = 0;
};

TEST_F(OpenGLDeviceSpriteTest, TintOpacityAndRotation) {
    auto bar = Sprite(40, 20, 0xFFFF0000u);
    auto dot = Sprite(10, 10, 0xFFFF0000u);
    const Image image = Frame(*device_, [&] {
        device_->State().PointSampling = true;
        bar->G = 0.5f;
        bar->Angle = 1.5707964f;
        bar->ApplyColour(1.0f);
        bar->Draw(60.0f, 60.0f);  // turned upright: x 50 to 70, y 40 to 80
        dot->ApplyColour(0.5f);
        dot->Draw(120.0f, 30.0f);
        dot->ApplyColour(-1.0f);
        dot->Draw(140.0f, 30.0f);
    });
    const Rgb orange{255, 128, 0};
    ExpectPixel(image, 51, 41, orange);
    ExpectPixel(image, 68, 78, orange);
    ExpectPixel(image, 49, 60, kClearRgb);
    ExpectPixel(image, 71, 60, kClearRgb);
    ExpectPixel(image, 60, 39, kClearRgb);
    ExpectPixel(image, 60, 81, kClearRgb);
    ExpectPixel(image, 120, 30, {134, 48, 95});
    ExpectPixel(image, 140, 30, kClearRgb);
}

// The score board draws one record several times a frame, rewriting its texture
// coordinates in between: each draw must keep the cell it had when it was issued.
TEST_F(OpenGLDeviceSpriteTest, OneRecordDrawnWithManyCellsInOneCall) {
    const std::vector<std::uint32_t> colours = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
    auto digits = Cells(colours);
    const Image image = Frame(*device_, [&] {
        device_->State().PointSampling = true;
        digits->ApplyColour(1.0f);
        for (int i = 0; i < 4; ++i) {
            digits->SetTexCoords(0.25f * static_cast<float>(i), 0.0f,
                                 0.25f * static_cast<float>(i + 1), 1.0f);
            digits->Draw(20.0f + 10.0f * static_cast<float>(i), 20.0f);
        }
    });
    ExpectPixel(image, 20, 20, {255, 0, 0});
    ExpectPixel(image, 30, 20, {0, 255, 0});
    ExpectPixel(image, 40, 20, {0, 0, 255});
    ExpectPixel(image, 50, 20, {255, 255, 0});
    EXPECT_EQ(device_->LastFrameDrawCalls(), 1);
}

TEST_F(OpenGLDeviceSpriteTest, AnimatedCrowdBatchedMatchesUnbatched) {
    const std::vector<std::uint32_t> colours = {0xFFFF0000u, 0x8000FF00u, 0xFF0000FFu};
    constexpr int kObjects = 120;
    // Two pictures in two layers, each layer one run of the same texture and state.
    auto draw = [&](SpriteRecord& cells, SpriteRecord& plain) {
        Animation cycle;
        cycle.Loop = true;
        cycle.Frames = {{0, 0.1f}, {1, 0.1f}, {2, 0.1f}};
        device_->State().PointSampling = true;
        for (int i = 0; i < kObjects; ++i) {
            int frame = i % 3;
            float time = 0.0f;
            cells.Angle = 0.1f * static_cast<float>(i);
            cells.ScaleX = cells.ScaleY = 1.0f + 0.05f * static_cast<float>(i % 7);
            cells.R = 0.01f * static_cast<float>(i % 50);
            cells.ApplyColour(0.3f + 0.005f * static_cast<float>(i));
            cells.DrawAnimated(static_cast<float>((i * 37) % kWidth),
                               static_cast<float>((i * 23) % kHeight), &cycle, frame, time);
        }
        for (int i = 0; i < kObjects; ++i) {
            plain.Angle = -0.2f * static_cast<float>(i);
            plain.B = 0.004f * static_cast<float>(i);
            plain.ApplyColour(0.6f);
            plain.Draw(static_cast<float>((i * 53) % kWidth),
                       static_cast<float>((i * 7) % kHeight));
        }
    };
    Image batched;
    {
        auto cells = Cells(colours);
        auto plain = Sprite(9, 5, 0xC0808080u);
        batched = Frame(*device_, [&] { draw(*cells, *plain); });
        EXPECT_EQ(device_->LastFrameDrawCalls(), 2);
    }
    device_.reset();
    setenv("VELMORA_GL_NO_BATCH", "1", 1);
    device_ = MakeDevice(false);
    ASSERT_NE(device_, nullptr);
    auto cells = Cells(colours);
    auto plain = Sprite(9, 5, 0xC0808080u);
    const Image single = Frame(*device_, [&] { draw(*cells, *plain); });
    EXPECT_EQ(device_->LastFrameDrawCalls(), 2 * kObjects);
    EXPECT_TRUE(batched.Rgba == single.Rgba) << "batching changed the picture";
}

// Sprites project onto the configured client size, so a full-screen back buffer of
// another size shows the same field scaled.
TEST_F(OpenGLDeviceSpriteTest, FullScreenScalesTheField) {
    device_.reset();
    device_ = MakeDevice(true);
    ASSERT_NE(device_, nullptr);
    auto box = Sprite(20, 20, 0xFFFF0000u);
    const Image image = Frame(*device_, [&] {
        box->ApplyColour(1.0f);
        box->Draw(kWidth / 2.0f, kHeight / 2.0f);  // 800 / 160 = 5 screen pixels per field pixel
    });
    ASSERT_EQ(image.Width, 800);
    ASSERT_EQ(image.Height, 600);
    ExpectPixel(image, 400, 300, {255, 0, 0});
    ExpectPixel(image, 351, 251, {255, 0, 0});
    ExpectPixel(image, 448, 348, {255, 0, 0});
    ExpectPixel(image, 348, 300, kClearRgb);
    ExpectPixel(image, 452, 300, kClearRgb);
}

}  // namespace
}  // namespace Velmora::Platform
