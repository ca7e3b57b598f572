#include <chrono>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "TestGame.h"

namespace Velmora::Testing {
namespace {

// A device whose vertex buffers cannot be made, as a lost or exhausted device would.
class NoBufferDevice : public Platform::RecordingRenderer {
public:
    NoBufferDevice() : RecordingRenderer(640, 480) {}
    std::unique_ptr<Platform::VertexBuffer> CreateVertexBuffer() override { return nullptr; }
};

class ResourceTest : public EngineTest {
protected:
    void SetUp() override {
        mgr()->SetDevice(&device_);
        ASSERT_TRUE(WritePng("pic.png", 8, 8));
    }
    ResourceMgr* mgr() { return &engine().Resources(); }
    // A sprite of the 8 x 8 picture declared w x h.
    SpriteRecord* Declare(int w, int h, const std::string& name = "s") {
        mgr()->AddSprite(name, "pic.png", w, h);
        return mgr()->GetSprite(name);
    }
    // Draws r at (320, 240); checks the corners and texture coordinates, top left first.
    void ExpectQuad(SpriteRecord& r, Animation* ani, float halfW, float halfH, float u0, float v0,
                    float u1, float v1) {
        int frame = 0;
        float time = 0.0f;
        r.DrawAnimated(SpriteDraw{320.0f, 240.0f}, ani, frame, time);
        const Platform::RecordedDraw& d = device_.CurrentFrame().back();
        EXPECT_EQ("pic.png", *d.TextureFile);
        for (int i = 0; i < 4; ++i) {
            const bool right = i % 2 == 1, bottom = i >= 2;
            EXPECT_FLOAT_EQ(320.0f + (right ? halfW : -halfW), d.X[i]) << "vertex " << i;
            EXPECT_FLOAT_EQ(240.0f + (bottom ? halfH : -halfH), d.Y[i]) << "vertex " << i;
            EXPECT_FLOAT_EQ(right ? u1 : u0, d.U[i]) << "vertex " << i;
            EXPECT_FLOAT_EQ(bottom ? v1 : v0, d.V[i]) << "vertex " << i;
        }
    }
    static std::vector<int> Cells(SpriteRecord* r, const std::string& name) {
        std::vector<int> cells;
        for (const AnimationFrame& f : r->GetAnimation(name)->Frames) {
            cells.push_back(f.Cell);
        }
        return cells;
    }
    Platform::RecordingRenderer device_{640, 480};
};

TEST_F(ResourceTest, DeclaredSizesShapeTheQuadWhateverTheFileSize) {
    mgr()->AddAniSprite("grid", "pic.png", 64, 32, 4, 2);
    SpriteRecord* grid = mgr()->GetSprite("grid");
    SpriteRecord* single = Declare(50, 40);
    ASSERT_TRUE(grid != nullptr && single != nullptr);
    auto sizes = [](const SpriteRecord& r) {
        return std::vector<int>{r.ImageWidth,  r.ImageHeight, r.FrameWidth,
                                r.FrameHeight, r.Columns,     r.Rows};
    };
    EXPECT_EQ((std::vector<int>{256, 64, 64, 32, 4, 2}), sizes(*grid));
    EXPECT_EQ((std::vector<int>{50, 40, 50, 40, 1, 1}), sizes(*single));
    // One cell, centred; until an animation picks a cell the whole picture is mapped.
    ExpectQuad(*grid, nullptr, 32, 16, 0, 0, 1, 1);
    ExpectQuad(*single, nullptr, 25, 20, 0, 0, 1, 1);
    grid->AddAnimation("one", 1, "5");
    ExpectQuad(*grid, grid->GetAnimation("one"), 32, 16, 0.25f, 0.5f, 0.5f, 1.0f);
    // Objects with no animation frame to show show the cell shown last.
    ExpectQuad(*grid, nullptr, 32, 16, 0.25f, 0.5f, 0.5f, 1.0f);
    // Colour bytes round (seen on screen by the sprites pixel test) and clamp.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(0x003300FFu, SpriteRecord::Colour(0.2f, -1.0f, 7.0f, nan));
    EXPECT_EQ(0xFF3300FFu, SpriteRecord::Colour(0.2f, -1.0f, 7.0f, 2.0f));
}

TEST_F(ResourceTest, FrameListsAreReadNumberByNumberWithTheirSpeeds) {
    SpriteRecord* r = Declare(10, 10);
    r->AddAnimation("a", 2, "01,2");  // the leading zero shifts the next read to ",2"
    EXPECT_EQ((std::vector<int>{1, 0}), Cells(r, "a"));
    r->AddAnimation("b", 9, "-3,4;12");  // the list ends with the text
    EXPECT_EQ((std::vector<int>{-3, 4, 12}), Cells(r, "b"));
    EXPECT_FLOAT_EQ(0.3f, r->GetAnimation("b")->Frames[2].Speed);
    r->SetDefaultSpeed("b", 0.5f);
    EXPECT_FLOAT_EQ(0.5f, r->GetAnimation("b")->Frames[2].Speed);
    // Declaring a name again starts it over in place: objects playing it keep it.
    Animation* a = r->GetAnimation("a");
    a->Loop = true;
    r->SetFrameSpeed("a", 1, 1.0f);
    r->AddAnimation("a", 2, "7,8");
    EXPECT_EQ(a, r->GetAnimation("a"));
    EXPECT_EQ((std::vector<int>{7, 8}), Cells(r, "a"));
    EXPECT_FALSE(a->Loop);
    EXPECT_FLOAT_EQ(0.3f, a->Frames[1].Speed);
}

// Records that load only in part (no picture at all: seen in play and by the file fuzzer).
TEST_F(ResourceTest, PartlyLoadedPicturesNeverFault) {
    NoBufferDevice noBuffers;
    mgr()->SetDevice(&noBuffers);
    SpriteRecord* noBuffer = Declare(10, 10, "nobuffer");
    EXPECT_NE(nullptr, noBuffer->Texture);
    noBuffer->Draw(SpriteDraw{}, Cell{});
    EXPECT_TRUE(noBuffers.CurrentFrame().empty());
    mgr()->SetDevice(nullptr);
    Declare(10, 10, "nodevice")->Draw(SpriteDraw{}, Cell{});
    mgr()->AddAniSprite("missingGrid", "nowhere.png", 10, 10, 2, 2);
    EXPECT_EQ(10, mgr()->GetSprite("missingGrid")->FrameWidth);
}

// Headless runs decoded every picture only to learn its size. They read a PNG's
// headers and chunk layout instead: damage inside the pixel data (which decoding
// refuses) goes unseen, a file cut short does not.
TEST_F(ResourceTest, HeadlessPicturesAreSizedWithoutDecoding) {
    std::string png = ReadFile("pic.png");
    const std::size_t idat = png.find("IDAT");
    ASSERT_NE(std::string::npos, idat);
    png[idat + 5] = static_cast<char>(png[idat + 5] ^ 0x55);
    game_.Write("damaged.png", png);
    Platform::Image image;
    ASSERT_FALSE(Platform::LoadImageRgba("damaged.png", image));
    const auto texture = device_.CreateTextureFromFile("damaged.png");
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(8, texture->Width);
    EXPECT_EQ(8, texture->Height);
    game_.Write("cut.png", png.substr(0, png.size() - 12));  // no IEND
    EXPECT_EQ(nullptr, device_.CreateTextureFromFile("cut.png"));
}

// Quads are placed in closed form, not with the 4 x 4 products sprites were placed with;
// the corners must keep every bit: random and edge-case positions, scales (none,
// negative, tiny, huge), angles, quads of no size and mirrored ones around any offset,
// pictures of any size, non-finite numbers, and angles repeated (-0 after 0 included).
TEST(SpritePlacementTest, CornersAreTheMatrixProductsBitForBit) {
    const float inf = std::numeric_limits<float>::infinity();
    const float edges[] = {
        0.0f,       -0.0f,  1.0f,  -1.0f,  0.5f, 225.0f, 320.0f,
        1.5707964f, 1e-40f, 1e30f, -1e30f, inf,  -inf,   std::numeric_limits<float>::quiet_NaN()};
    std::mt19937 random(7);
    auto pick = [&](float low, float high) {
        return random() % 4 == 0 ? edges[random() % std::size(edges)]
                                 : std::uniform_real_distribution<float>(low, high)(random);
    };
    auto bits = [](float f) {
        std::uint32_t b = 0;
        std::memcpy(&b, &f, sizeof b);
        return b;
    };
    for (auto [w, h] : {std::pair{640, 480}, {450, 600}, {1, 1}, {0, 0}, {-8, 3}}) {
        Platform::RecordingRenderer device(w, h);
        const Platform::Texture texture;
        for (int n = 0; n < 4000; ++n) {
            const Placement at{pick(-100, 1000), pick(-100, 1000), pick(-4, 4), pick(-20, 20)};
            const float x0 = pick(-64, 64), y0 = pick(-64, 64);
            const float x1 = x0 + pick(-32, 32), y1 = y0 + pick(-32, 32);
            Platform::VertexBuffer quad;
            for (int i = 0; i < 4; ++i) {
                quad.Vertices[i].x = i % 2 == 0 ? x0 : x1;
                quad.Vertices[i].y = i < 2 ? y0 : y1;
            }
            device.Clear(0);
            device.DrawQuad(&texture, quad, at);
            const Platform::RecordedDraw& got = device.CurrentFrame().back();
            Matrix world =
                MatrixMultiply(MatrixIdentity(), MatrixScaling(at.Scale, at.Scale, at.Scale));
            world = MatrixMultiply(world, MatrixRotationZ(at.Angle));
            world = MatrixMultiply(world, MatrixTranslation(at.X, at.Y, 0.0f));
            const Matrix wvp = MatrixMultiply(MatrixMultiply(world, MatrixIdentity()),
                                              MatrixOrthoOffCenter(0, float(w), float(h), 0, 0, 1));
            for (int i = 0; i < 4; ++i) {
                float clip[4];
                TransformCoord(wvp, quad.Vertices[i].x, quad.Vertices[i].y, 0.0f, clip);
                const float cw = clip[3] != 0.0f ? clip[3] : 1.0f;
                ASSERT_EQ(bits((clip[0] / cw + 1.0f) * 0.5f * float(w)), bits(got.X[i]))
                    << "corner " << i << " at " << at.X << ", " << at.Y << " scale " << at.Scale
                    << " angle " << at.Angle << " on " << w << " x " << h;
                ASSERT_EQ(bits((1.0f - clip[1] / cw) * 0.5f * float(h)), bits(got.Y[i])) << i;
            }
        }
    }
}

TEST_F(ResourceTest, PicturesDecodedAheadAreWhatTheFilesHoldWhenAskedFor) {
    game_.Write("res/c.png", "not a picture");
    ASSERT_TRUE(WritePng("res/a.png", 2, 2));
    ASSERT_TRUE(WritePng("res/b.png", 3, 3));
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"res/a.png", "res/b.png", "res/c.png"}) {
        std::filesystem::last_write_time(name, old);
    }
    Platform::PictureLoader loader("res", 1 << 20);
    Platform::Image image;
    ASSERT_TRUE(loader.Load("res/a.png", image));
    EXPECT_EQ(2, image.Width);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // b and c decoded by now
    ASSERT_TRUE(WritePng("res/b.png", 5, 5));
    ASSERT_TRUE(loader.Load("res/b.png", image));
    EXPECT_EQ(5, image.Width) << "a picture rewritten after it was decoded ahead";
    EXPECT_FALSE(loader.Load("res/c.png", image));
    ASSERT_TRUE(loader.Load("res/a.png", image));
    EXPECT_EQ(2, image.Width);
}

}  // namespace
}  // namespace Velmora::Testing
