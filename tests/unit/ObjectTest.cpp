#include "TestGame.h"
#include "world/Action.h"
#include "world/ScoreBoard.h"
#include "world/StageObjects.h"

namespace Velmora::Testing {
namespace {

using Platform::RecordedDraw;

class ObjectTest : public WorldTest {};

// Which objects can be hit at all is seen in play; here, the shape of the region.
TEST_F(ObjectTest, HitRegionIsADiamondWidenedByBothShapes) {
    const struct {
        float ellipseX, x, y, moverRadius;
        bool hit;
    } cases[] = {
        {0, 10, 0, 0, true},   {0, 7, 7, 0, false},  // 0.7 + 0.7, although 7^2 + 7^2 < 10^2
        {0, 12, 0, 10, true},                        // 12 / sqrt(200) < 1
        {20, 15, 0, 0, true},                        // a semi-axis replaces the radius on its axis
        {20, 0, 15, 0, false},
    };
    for (const auto& c : cases) {
        BaseObject target(world()), mover(world());
        target.CollisionRadius = 10.0f;
        target.EllipseX = c.ellipseX;
        target.CurAction = MakeAction(world());
        target.CurAction->Begun = true;  // collision waits for the action
        mover.X = c.x;
        mover.Y = c.y;
        mover.CollisionRadius = c.moverRadius;
        EXPECT_EQ(c.hit, target.IsCollide(mover))
            << "ellipse " << c.ellipseX << " at (" << c.x << ", " << c.y << ")";
    }
}

TEST_F(ObjectTest, DrawTurnsAndShiftsObjectsButNotTheScoreBoard) {
    Sprite("pic", 20, 10);
    Sprite("digits", 200, 24);
    Object("plain/o", "{ Sprite = 'pic' }");
    Object("plain/t", "{}");
    Object("board/score", "{ Type = 7, Sprite = 'digits', DigitSpace = 1, X = 300, Y = 10 }");
    // Turned towards a target on its left: a quarter turn clockwise from straight down.
    Enter("s",
          "o = Stage_AddObject('o', 'plain/o') Obj_SetX(o, 100) Obj_SetY(o, 50)\n"
          "t = Stage_AddObject('t', 'plain/t') Obj_SetX(t, 90) Obj_SetY(t, 50)\n"
          "Obj_SetDirection(o, t) Stage_SetScreenPos(10.9, -5.2)\n"
          "Stage_AddObject('board', 'board/score')");
    stage()->Draw();
    ASSERT_EQ(2u, device().CurrentFrame().size());
    // Offset in whole pixels; the top-left corner turned to the top-right.
    const RecordedDraw& d = device().CurrentFrame()[0];
    EXPECT_NEAR(110.0f + 5.0f, d.X[0], 1e-3);
    EXPECT_NEAR(45.0f - 10.0f, d.Y[0], 1e-3);
    const RecordedDraw& board = device().CurrentFrame()[1];
    EXPECT_NEAR(300.0f, (board.X[0] + board.X[1] + board.X[2] + board.X[3]) / 4.0f, 1e-3);
    // Straight up.
    Handle("t")->Y -= 10;
    Handle("t")->X += 10;
    RunLua("Obj_SetDirection(o, t)");
    EXPECT_NEAR(kPiF, Handle("o")->Angle, 1e-6);
}

TEST_F(ObjectTest, AnimationsPlayOnlyWhatTheSpriteHasAndFollowTheFrameClockAndThePicture) {
    ASSERT_TRUE(WritePng("grid.png", 16, 8));
    // Sizes and entries are whole numbers, names may be numbers, entries out of range do nothing.
    RunLua(
        "Res_AddAniSprite('cells', 'grid.png', 8.9, 8, 2, 1) Res_AddSprite(7, 'grid.png', 1, 1)\n"
        "Res_AddAni('cells', 'Blink', 2, '0 1') Res_AddAni('cells', 'Twice', 3, '0,1,0')\n"
        "Res_SetDefaultAniSpeed('cells', 'Blink', 0.25) local speed = Res_SetFrameAniSpeed\n"
        "speed('cells', 'Twice', 1.7, 2) speed('cells', 'Twice', -1, 5)\n"
        "speed('cells', 'Twice', 3, 5)");
    SpriteRecord* record = engine().Resources().GetSprite("cells");
    EXPECT_EQ(8, record->FrameWidth);
    EXPECT_NE(nullptr, engine().Resources().GetSprite("7"));
    const std::vector<AnimationFrame>& twice = record->GetAnimation("Twice")->Frames;
    EXPECT_EQ((std::vector<float>{0.3f, 2.0f, 0.3f}),
              (std::vector<float>{twice[0].Speed, twice[1].Speed, twice[2].Speed}));
    const Animation* blink = record->GetAnimation("Blink");
    Object("plain/o", "{ Sprite = 'cells' }");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_PlayAni(o, 'Blink', false)");
    BaseObject* o = Handle("o");
    EXPECT_EQ(blink, o->CurAni);
    // Each cell for two 0.125 s draws; unlooped, the last stays. The loop flag is shared.
    world().FrameTime = 0.125f;
    auto lefts = [&] {
        std::vector<float> shown;
        for (int i = 0; i < 6; ++i) {
            stage()->Draw();
            shown.push_back(device().CurrentFrame().back().U[0]);
        }
        return shown;
    };
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f}), lefts());
    RunLua("Obj_PlayAni(o, 'Blink', true)");
    EXPECT_TRUE(blink->Loop);
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f}), lefts());
    // The last draw ended cell 0's time: stopped, cell 1 shows and stays.
    RunLua("Obj_StopAni(o)");
    stage()->Draw();
    stage()->Draw();
    EXPECT_EQ(0.5f, device().CurrentFrame().back().U[0]);
    // An unknown name leaves the shown animation as it is, and adds no animation.
    RunLua("Obj_PlayAni(o, 'Missing', true)");
    EXPECT_EQ(1, o->AniFrame);
    EXPECT_EQ(2u, record->Animations->size());
    BaseObject bare(world());  // no sprite, nothing to play
    bare.PlayAni("Blink", true);
    EXPECT_EQ(nullptr, bare.CurAni);
    // A new picture brings its own animation of the shown name, from the start: never
    // the old picture's cells. Without one, its first cell shows; without a picture,
    // nothing; other handles change nothing.
    ASSERT_TRUE(WritePng("other.png", 16, 8));
    RunLua(
        "Res_AddAniSprite('other', 'other.png', 8, 8, 2, 1) Res_AddAni('other', 'Blink', 2, "
        "'1,0')\n"
        "Res_AddAniSprite('still', 'grid.png', 8, 8, 2, 1) Obj_SetSprite(o, 'other')");
    EXPECT_EQ(engine().Resources().GetSprite("other")->GetAnimation("Blink"), o->CurAni);
    auto shown = [&] {
        stage()->Draw();
        const RecordedDraw& d = device().CurrentFrame().back();
        return *d.TextureFile + "@" + std::to_string(d.U[0]);
    };
    EXPECT_EQ("other.png@0.500000", shown());
    RunLua("Obj_SetSprite(o, 'still')");
    EXPECT_EQ(nullptr, o->CurAni);
    EXPECT_EQ("grid.png@0.000000", shown());
    device().Present();
    RunLua("Obj_SetSprite(o, 'never declared') Obj_SetSprite(nil, 'a') Obj_SetSprite({}, 'a')");
    stage()->Draw();
    EXPECT_TRUE(device().CurrentFrame().empty());
}

// How the digits look is checked on screen by the sprites pixel test.
TEST_F(ObjectTest, ScoresReachOnlyLiveScoreBoardsAndAnyScoreDraws) {
    Sprite("digits", 200, 24);
    Object("board/score", "{ Type = 7, Sprite = 'digits', DigitSpace = 6 }");
    Object("mob/m", "{ Type = 2, HP = 5 }");
    Enter("s",
          "board = Stage_AddObject('board', 'board/score') mob = Stage_AddObject('m', 'mob/m')\n"
          "ScoreBoard_SetScore(board, 1234.9) ScoreBoard_SetScore(mob, 99)\n"
          "ScoreBoard_SetScore(nil, 7) hp = Obj_GetHP(mob)");
    auto* board = static_cast<ScoreBoard*>(Handle("board"));
    EXPECT_EQ(1234, board->Score);
    EXPECT_EQ(5.0, GlobalNumber("hp"));
    RunLua("ScoreBoard_SetScore(board, 0/0)");
    EXPECT_EQ(0, board->Score);
    board->Score = -2147483647 - 1;
    board->DigitSpace = 1000000;
    stage()->Draw();
    EXPECT_FALSE(device().CurrentFrame().empty());
    device().Present();
    board->Sprite = nullptr;  // without its picture a board draws nothing
    stage()->Draw();
    EXPECT_TRUE(device().CurrentFrame().empty());
}

}  // namespace
}  // namespace Velmora::Testing
