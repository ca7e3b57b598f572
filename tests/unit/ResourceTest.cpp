#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "TestGame.h"
#include "platform/ImageFile.h"
#include "platform/RecordingDevice.h"
#include "platform/Screen.h"
#include "resource/ResourceMgr.h"

namespace Velmora::Testing {
namespace {

using Platform::RecordedDraw;

// A device whose vertex buffers cannot be made, as a lost or exhausted device would.
class NoBufferDevice : public Platform::RecordingDevice {
public:
    NoBufferDevice() : RecordingDevice(640, 480) {}
    std::unique_ptr<Platform::VertexBuffer> CreateVertexBuffer() override { return nullptr; }
};

class ResourceTest : public EngineTest {
protected:
    void SetUp() override {
        g_screenWidth = 640;
        g_screenHeight = 480;
        mgr()->SetDevice(&device_);
        Picture("pic.png", 8, 8);
    }
    void TearDown() override {
        ResourceMgr::DestroyInstance();
        EngineTest::TearDown();
    }

    ResourceMgr* mgr() { return ResourceMgr::GetInstance(); }

    void Picture(const std::string& path, int w, int h) {
        Platform::Image image;
        image.Width = w;
        image.Height = h;
        image.Rgba.assign(static_cast<std::size_t>(w) * h * 4, 255);
        ASSERT_TRUE(Platform::SavePngRgba((game_.Root() / path).string(), image));
    }

    // Draws the record and returns what the device recorded for it.
    RecordedDraw DrawAt(SpriteRecord* record, float x, float y) {
        const std::size_t before = device_.CurrentFrame().size();
        record->Draw(x, y);
        EXPECT_EQ(before + 1, device_.CurrentFrame().size());
        return device_.CurrentFrame().back();
    }

    static void ExpectBounds(const RecordedDraw& d, float left, float right, float top,
                             float bottom) {
        EXPECT_NEAR(left, *std::min_element(d.X, d.X + 4), 1e-3);
        EXPECT_NEAR(right, *std::max_element(d.X, d.X + 4), 1e-3);
        EXPECT_NEAR(top, *std::min_element(d.Y, d.Y + 4), 1e-3);
        EXPECT_NEAR(bottom, *std::max_element(d.Y, d.Y + 4), 1e-3);
    }

    static void ExpectTexCoords(const SpriteRecord& r, float u0, float v0, float u1, float v1) {
        const float us[4] = {u0, u1, u0, u1};
        const float vs[4] = {v0, v0, v1, v1};
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(us[i], r.Vertices[i].u) << "vertex " << i;
            EXPECT_FLOAT_EQ(vs[i], r.Vertices[i].v) << "vertex " << i;
        }
    }

    static std::vector<int> Cells(const Animation* a) {
        std::vector<int> cells;
        for (const AnimationFrame& f : a->Frames) {
            cells.push_back(f.Cell);
        }
        return cells;
    }

    Platform::RecordingDevice device_{640, 480};
};

TEST_F(ResourceTest, GridDeclarationSizesTheWholePictureAndCentresOneCell) {
    mgr()->AddAniSprite("grid", "pic.png", 64, 32, 4, 2);
    SpriteRecord* r = mgr()->GetSprite("grid");
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(256, r->ImageWidth);
    EXPECT_EQ(64, r->ImageHeight);
    EXPECT_EQ(64, r->FrameWidth);
    EXPECT_EQ(32, r->FrameHeight);
    EXPECT_EQ(4, r->Columns);
    EXPECT_EQ(2, r->Rows);
    const float xs[4] = {-32, 32, -32, 32};
    const float ys[4] = {-16, -16, 16, 16};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(xs[i], r->Vertices[i].x);
        EXPECT_EQ(ys[i], r->Vertices[i].y);
        EXPECT_EQ(0.0f, r->Vertices[i].z);
    }
    // Until an animation picks a cell, the whole picture is mapped.
    ExpectTexCoords(*r, 0, 0, 1, 1);

    r->AddAnimation("one", 1, "5");
    int frame = 0;
    float time = 0.0f;
    r->DrawAnimated(320, 240, r->GetAnimation("one"), frame, time);
    ExpectTexCoords(*r, 0.25f, 0.5f, 0.5f, 1.0f);
    // The device got the same cell, not a stale copy.
    const RecordedDraw& d = device_.CurrentFrame().back();
    EXPECT_FLOAT_EQ(0.25f, d.U[0]);
    EXPECT_FLOAT_EQ(1.0f, d.V[3]);
    EXPECT_EQ("pic.png", d.TextureFile);
    ExpectBounds(d, 288, 352, 224, 256);
}

TEST_F(ResourceTest, SingleSpriteUsesDeclaredSizeNotFileSize) {
    mgr()->AddSprite("s", "pic.png", 50, 40);  // the file is 8 x 8
    SpriteRecord* r = mgr()->GetSprite("s");
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(50, r->ImageWidth);
    EXPECT_EQ(40, r->ImageHeight);
    EXPECT_EQ(1, r->Columns);
    EXPECT_EQ(1, r->Rows);
    const float corners[4][2] = {{-25, -20}, {25, -20}, {-25, 20}, {25, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(corners[i][0], r->Vertices[i].x);
        EXPECT_EQ(corners[i][1], r->Vertices[i].y);
        EXPECT_EQ(0xFF000000u, r->Vertices[i].colour);
    }
    ExpectTexCoords(*r, 0, 0, 1, 1);
    const RecordedDraw d = DrawAt(r, 100, 50);
    ExpectBounds(d, 75, 125, 30, 70);
    EXPECT_FALSE(d.Culled);
}

TEST_F(ResourceTest, FrameListsAreReadNumberByNumber) {
    mgr()->AddSprite("s", "pic.png", 10, 10);
    SpriteRecord* r = mgr()->GetSprite("s");

    r->AddAnimation("a", 4, "0,1,2,3");
    Animation* a = r->GetAnimation("a");
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Cells(a));
    EXPECT_FALSE(a->Loop);
    for (const AnimationFrame& f : a->Frames) {
        EXPECT_FLOAT_EQ(0.3f, f.Speed);
    }

    r->AddAnimation("blank", 2, "10 11");
    EXPECT_EQ((std::vector<int>{10, 11}), Cells(r->GetAnimation("blank")));
    // A leading zero is not part of the number's width: the next read starts at ",2".
    r->AddAnimation("zero", 2, "01,2");
    EXPECT_EQ((std::vector<int>{1, 0}), Cells(r->GetAnimation("zero")));
    r->AddAnimation("signed", 3, "-3,4;12");
    EXPECT_EQ((std::vector<int>{-3, 4, 12}), Cells(r->GetAnimation("signed")));

    // More entries asked for than written: the list ends with the text.
    r->AddAnimation("short", 9, "5,6");
    EXPECT_EQ((std::vector<int>{5, 6}), Cells(r->GetAnimation("short")));
    r->AddAnimation("none", -2, "5,6");
    EXPECT_TRUE(r->GetAnimation("none")->Frames.empty());
    r->AddAnimation("empty", 3, "");
    EXPECT_TRUE(r->GetAnimation("empty")->Frames.empty());
    r->AddAnimation("huge", 2, "99999999999999999999,7");
    EXPECT_EQ(2u, r->GetAnimation("huge")->Frames.size());

    // Declaring the name again starts it over.
    a->Loop = true;
    r->SetDefaultSpeed("a", 2.0f);
    r->AddAnimation("a", 2, "7,8");
    EXPECT_EQ(a, r->GetAnimation("a"));
    EXPECT_EQ((std::vector<int>{7, 8}), Cells(a));
    EXPECT_FALSE(a->Loop);
    EXPECT_FLOAT_EQ(0.3f, a->Frames[0].Speed);
    EXPECT_FLOAT_EQ(0.3f, a->Frames[1].Speed);
}

TEST_F(ResourceTest, SpeedsDefaultThenPerEntry) {
    mgr()->AddSprite("s", "pic.png", 10, 10);
    SpriteRecord* r = mgr()->GetSprite("s");
    // No table yet: nothing to change, and none is made for it.
    r->SetDefaultSpeed("walk", 1.0f);
    r->SetFrameSpeed("walk", 0, 1.0f);
    EXPECT_EQ(nullptr, r->Animations);

    r->AddAnimation("walk", 4, "0,1,2,3");
    r->SetDefaultSpeed("walk", 0.5f);
    r->SetFrameSpeed("walk", 2, 1.0f);
    r->SetFrameSpeed("walk", 4, 9.0f);
    r->SetFrameSpeed("walk", -1, 9.0f);
    const Animation* a = r->GetAnimation("walk");
    const float expected[4] = {0.5f, 0.5f, 1.0f, 0.5f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(expected[i], a->Frames[i].Speed) << "entry " << i;
    }

    // An unknown name gets an empty animation and is otherwise left alone.
    r->SetDefaultSpeed("run", 1.0f);
    ASSERT_EQ(1u, r->Animations->count("run"));
    EXPECT_TRUE(r->Animations->at("run").Frames.empty());
    EXPECT_FALSE(r->Animations->at("run").Loop);
}

TEST_F(ResourceTest, ColourBytesRoundAndClamp) {
    mgr()->AddSprite("s", "pic.png", 10, 10);
    SpriteRecord* r = mgr()->GetSprite("s");
    r->R = 1.0f;
    r->G = 0.5f;
    r->B = 0.0f;
    r->ApplyColour(0.5f);
    for (const auto& v : r->Vertices) {
        EXPECT_EQ(0x80FF8000u, v.colour);
    }
    EXPECT_EQ(0x80FF8000u, DrawAt(r, 10, 10).Colour[3]);

    r->ApplyColour(2.0f);
    EXPECT_EQ(0xFFFF8000u, r->Vertices[0].colour);
    r->ApplyColour(-1.0f);
    EXPECT_EQ(0x00FF8000u, r->Vertices[0].colour);

    r->R = 0.2f;
    r->G = 0.001f;
    r->B = 7.0f;
    r->ApplyColour(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(0x003300FFu, r->Vertices[2].colour);
}

TEST_F(ResourceTest, DrawRotatesAndScalesAboutTheDrawingPoint) {
    mgr()->AddSprite("s", "pic.png", 40, 20);
    SpriteRecord* r = mgr()->GetSprite("s");

    r->Angle = 3.14159265f / 2.0f;
    RecordedDraw d = DrawAt(r, 100, 100);
    ExpectBounds(d, 90, 110, 80, 120);
    // Clockwise on screen: the top-left corner turns to the top-right.
    EXPECT_NEAR(110.0f, d.X[0], 1e-3);
    EXPECT_NEAR(80.0f, d.Y[0], 1e-3);
    EXPECT_FALSE(d.Culled);

    r->Angle = 0.0f;
    r->ScaleX = 2.0f;
    r->ScaleY = 2.0f;
    ExpectBounds(DrawAt(r, 100, 100), 60, 140, 80, 120);
    // The quad itself is not changed by the transform.
    EXPECT_EQ(-20.0f, r->Vertices[0].x);
}

TEST_F(ResourceTest, DrawSetsSpriteStatesAndRestoresViewAndProjection) {
    // A back buffer twice the configured size: the field is scaled, still centred.
    Platform::RecordingDevice big(1280, 960);
    mgr()->SetDevice(&big);
    mgr()->AddSprite("s", "pic.png", 40, 20);
    SpriteRecord* r = mgr()->GetSprite("s");

    const Platform::Matrix view = Platform::MatrixTranslation(5, 6, 7);
    const Platform::Matrix projection = Platform::MatrixScaling(2, 3, 4);
    big.SetTransform(Platform::TransformKind::View, view);
    big.SetTransform(Platform::TransformKind::Projection, projection);

    r->Draw(320, 240);
    ASSERT_EQ(1u, big.CurrentFrame().size());
    const RecordedDraw& d = big.CurrentFrame()[0];
    ExpectBounds(d, 600, 680, 460, 500);
    EXPECT_EQ(Platform::CullMode::CounterClockwise, d.State.Cull);
    EXPECT_TRUE(d.State.AlphaBlend);
    EXPECT_EQ(Platform::ColourOp::AddColourModulateAlpha, d.State.Colour);
    EXPECT_FALSE(d.State.Lighting);

    auto same = [](const Platform::Matrix& a, const Platform::Matrix& b) {
        return std::equal(&a.m[0][0], &a.m[0][0] + 16, &b.m[0][0]);
    };
    EXPECT_TRUE(same(view, big.GetTransform(Platform::TransformKind::View)));
    EXPECT_TRUE(same(projection, big.GetTransform(Platform::TransformKind::Projection)));
    EXPECT_TRUE(same(Platform::MatrixTranslation(320, 240, 0),
                     big.GetTransform(Platform::TransformKind::World)));
}

TEST_F(ResourceTest, AnimationAdvancesEveryEighteenDrawsAtSixtyPerSecond) {
    mgr()->AddAniSprite("grid", "pic.png", 10, 10, 3, 1);
    SpriteRecord* r = mgr()->GetSprite("grid");
    r->AddAnimation("walk", 3, "0,1,2");
    Animation* walk = r->GetAnimation("walk");

    // Which cell each draw shows, with the clock advanced before the draw as objects do.
    auto run = [&](int draws) {
        std::vector<int> shown;
        int frame = 0;
        float time = 0.0f;
        for (int i = 0; i < draws; ++i) {
            time += 1.0f / 60.0f;
            const int before = frame;
            r->DrawAnimated(0, 0, walk, frame, time);
            shown.push_back(static_cast<int>(std::lround(r->Vertices[0].u * 3.0f)));
            if (i == 17) {
                EXPECT_EQ(before + 1, frame) << "the 18th draw ends the first entry";
                EXPECT_EQ(0.0f, time);
            }
        }
        return shown;
    };
    auto expected = [](int lastCell) {
        std::vector<int> cells;
        for (int cell : {0, 1, 2}) {
            cells.insert(cells.end(), 18, cell);
        }
        cells.insert(cells.end(), 18, lastCell);
        return cells;
    };
    EXPECT_EQ(expected(2), run(72));
    walk->Loop = true;
    EXPECT_EQ(expected(0), run(72));
}

TEST_F(ResourceTest, RedeclaredNameKeepsEarlierHoldersOnTheOldRecord) {
    Picture("other.png", 4, 4);
    EXPECT_EQ(nullptr, mgr()->GetSprite("s"));
    ASSERT_EQ(1u, mgr()->Sprites.count("s"));

    mgr()->AddSprite("s", "pic.png", 10, 10);
    SpriteRecord* first = mgr()->GetSprite("s");
    ASSERT_NE(nullptr, first);
    first->AddAnimation("walk", 1, "0");

    mgr()->AddAniSprite("s", "other.png", 5, 5, 2, 2);
    SpriteRecord* second = mgr()->GetSprite("s");
    ASSERT_NE(first, second);
    EXPECT_EQ(10, first->ImageWidth);
    EXPECT_EQ(1u, first->GetAnimation("walk")->Frames.size());
    EXPECT_EQ("pic.png", DrawAt(first, 0, 0).TextureFile);
    EXPECT_EQ("other.png", DrawAt(second, 0, 0).TextureFile);
    // Shutdown frees both (the leak checker of the sanitizer build watches this).
}

TEST_F(ResourceTest, UnusablePicturesAndGridsNeverFault) {
    mgr()->AddSprite("missing", "nowhere.png", 10, 10);
    SpriteRecord* missing = mgr()->GetSprite("missing");
    ASSERT_NE(nullptr, missing);
    EXPECT_EQ(nullptr, missing->Texture);
    EXPECT_EQ(nullptr, missing->VertexBuffer);
    EXPECT_FALSE(missing->Load("nowhere.png", 10, 10));

    mgr()->AddAniSprite("missingGrid", "nowhere.png", 10, 10, 2, 2);
    SpriteRecord* grid = mgr()->GetSprite("missingGrid");
    EXPECT_EQ(2, grid->Columns);
    EXPECT_EQ(-5.0f, grid->Vertices[0].x);
    grid->AddAnimation("walk", 2, "0,3");
    int frame = 0;
    float time = 1.0f;
    missing->ApplyColour(1.0f);
    missing->SetTexCoords(0, 0, 1, 1);
    missing->Draw(1, 1);
    grid->DrawAnimated(1, 1, grid->GetAnimation("walk"), frame, time);
    EXPECT_TRUE(device_.CurrentFrame().empty());

    // A texture but no vertex buffer: the load fails, the picture is kept, nothing draws.
    NoBufferDevice noBuffers;
    mgr()->SetDevice(&noBuffers);
    mgr()->AddSprite("nobuffer", "pic.png", 10, 10);
    SpriteRecord* noBuffer = mgr()->GetSprite("nobuffer");
    EXPECT_NE(nullptr, noBuffer->Texture);
    noBuffer->Draw(0, 0);
    EXPECT_TRUE(noBuffers.CurrentFrame().empty());

    // No device at all.
    mgr()->SetDevice(nullptr);
    mgr()->AddAniSprite("nodevice", "pic.png", 10, 10, 1, 1);
    mgr()->GetSprite("nodevice")->Draw(0, 0);

    // Columns 0 and an empty or overrun animation keep the coordinates the quad has.
    mgr()->SetDevice(&device_);
    mgr()->AddAniSprite("flat", "pic.png", 10, 10, 0, 0);
    SpriteRecord* flat = mgr()->GetSprite("flat");
    flat->AddAnimation("walk", 2, "3,4");
    frame = 0;
    time = 0.0f;
    flat->DrawAnimated(0, 0, flat->GetAnimation("walk"), frame, time);
    ExpectTexCoords(*flat, 0, 0, 1, 1);

    mgr()->AddAniSprite("g", "pic.png", 10, 10, 2, 2);
    SpriteRecord* g = mgr()->GetSprite("g");
    g->AddAnimation("walk", 2, "3,2");
    for (int bad : {2, -1}) {
        frame = bad;
        time = 5.0f;
        g->DrawAnimated(0, 0, g->GetAnimation("walk"), frame, time);
        EXPECT_EQ(bad, frame);
        ExpectTexCoords(*g, 0, 0, 1, 1);
    }
    frame = 0;
    g->DrawAnimated(0, 0, g->GetAnimation("nothing"), frame, time);
    g->DrawAnimated(0, 0, nullptr, frame, time);
    ExpectTexCoords(*g, 0, 0, 1, 1);
    EXPECT_EQ(5u, device_.CurrentFrame().size());
}

TEST_F(ResourceTest, ScriptsDeclarePicturesAndAnimations) {
    LuaControl::GetInstance()->RegisterFunctions();
    RunLua(
        "results = select('#', Res_AddSprite('ship', 'pic.png', 50.9, 40))\n"
        "Res_AddAniSprite('boom', 'pic.png', 64, 32, 4, 2)\n"
        "Res_AddAni('boom', 'fire', 4, '0,1,2,3')\n"
        "Res_SetDefaultAniSpeed('boom', 'fire', 0.5)\n"
        "Res_SetFrameAniSpeed('boom', 'fire', 2.7, 1.0)\n"
        "Res_AddSprite(7, 'pic.png', 1, 1)\n");
    EXPECT_EQ(0.0, GlobalNumber("results"));
    SpriteRecord* ship = mgr()->GetSprite("ship");
    ASSERT_NE(nullptr, ship);
    EXPECT_EQ(50, ship->ImageWidth);
    EXPECT_EQ(40, ship->ImageHeight);
    EXPECT_NE(nullptr, mgr()->GetSprite("7"));

    SpriteRecord* boom = mgr()->GetSprite("boom");
    ASSERT_NE(nullptr, boom);
    EXPECT_EQ(256, boom->ImageWidth);
    const Animation* fire = boom->GetAnimation("fire");
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Cells(fire));
    EXPECT_FLOAT_EQ(0.5f, fire->Frames[0].Speed);
    EXPECT_FLOAT_EQ(1.0f, fire->Frames[2].Speed);

    // Absent strings do nothing; undeclared sprites and bad indices are harmless.
    const std::size_t declared = mgr()->Sprites.size();
    RunLua(
        "Res_AddSprite(nil, 'pic.png', 1, 1)\n"
        "Res_AddSprite('nofile')\n"
        "Res_AddAniSprite('nofile', {}, 1, 1, 1, 1)\n"
        "Res_AddAni('boom', 'fire', 1)\n"
        "Res_AddAni('boom', nil, 1, '9')\n"
        "Res_SetDefaultAniSpeed('boom')\n"
        "Res_SetFrameAniSpeed(nil, 'fire', 0, 9)\n"
        "Res_SetFrameAniSpeed('boom', 'fire', 99, 9)\n"
        "Res_AddAni('ghost', 'walk', 2, '0,1')\n"
        "Res_SetDefaultAniSpeed('ghost', 'walk', 1)\n"
        "Res_SetFrameAniSpeed('ghost', 'walk', 0, 1)\n");
    EXPECT_EQ(0u, mgr()->Sprites.count("nofile"));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Cells(fire));
    EXPECT_FLOAT_EQ(0.5f, fire->Frames[0].Speed);
    EXPECT_EQ(1u, boom->Animations->size());
    // The undeclared name is remembered with no record; declaring it later fills it.
    EXPECT_EQ(declared + 1, mgr()->Sprites.size());
    EXPECT_EQ(nullptr, mgr()->GetSprite("ghost"));
    RunLua("Res_AddSprite('ghost', 'pic.png', 8, 8)");
    EXPECT_NE(nullptr, mgr()->GetSprite("ghost"));
    EXPECT_EQ(0, lua_gettop(LuaControl::GetInstance()->GetState()));
}

}  // namespace
}  // namespace Velmora::Testing
