#include <cmath>

#include "WorldFixture.h"
#include "object/Action.h"
#include "object/Bullet.h"
#include "object/ScoreBoard.h"
#include "stage/Stage.h"

namespace Velmora::Testing {
namespace {

using Platform::RecordedDraw;

constexpr float kPiF = 3.14159265358979323846f;

// A target with a begun action, as collision requires of the first object.
void Begin(BaseObject& object) {
    object.CurAction = std::make_unique<Action>();
    object.CurAction->Begun = true;
}

float CentreX(const RecordedDraw& d) {
    return (d.X[0] + d.X[1] + d.X[2] + d.X[3]) / 4.0f;
}
float CentreY(const RecordedDraw& d) {
    return (d.Y[0] + d.Y[1] + d.Y[2] + d.Y[3]) / 4.0f;
}

TEST(CollisionTest, HitRegionIsADiamondAroundTheTarget) {
    BaseObject target;
    target.CollisionRadius = 10.0f;
    Begin(target);
    BaseObject mover;
    mover.X = 7.0f;
    EXPECT_TRUE(target.IsCollide(mover));  // p = 0.7
    mover.Y = 7.0f;
    EXPECT_FALSE(target.IsCollide(mover));  // 0.7 + 0.7, although 7^2 + 7^2 < 10^2
    mover.X = 10.0f;
    mover.Y = 0.0f;
    EXPECT_TRUE(target.IsCollide(mover));  // touching exactly counts
    mover.X = 0.0f;
    EXPECT_TRUE(target.IsCollide(mover));  // same spot

    // The mover's own shape widens the region.
    mover.X = 12.0f;
    EXPECT_FALSE(target.IsCollide(mover));
    mover.CollisionRadius = 10.0f;
    EXPECT_TRUE(target.IsCollide(mover));  // 12 / sqrt(200) < 1
}

TEST(CollisionTest, EllipseSemiAxesReplaceTheRadiusPerAxis) {
    BaseObject target;
    target.CollisionRadius = 10.0f;
    target.EllipseX = 20.0f;
    Begin(target);
    BaseObject mover;
    mover.X = 15.0f;
    EXPECT_TRUE(target.IsCollide(mover));
    mover.X = 0.0f;
    mover.Y = 15.0f;
    EXPECT_FALSE(target.IsCollide(mover));
    mover.Y = 10.0f;
    EXPECT_TRUE(target.IsCollide(mover));
}

TEST(CollisionTest, OnlyTheTargetsGatesCount) {
    BaseObject target;
    target.CollisionRadius = 10.0f;
    target.EllipseX = 20.0f;
    BaseObject mover;                       // no radius, no action: never a gate
    EXPECT_FALSE(target.IsCollide(mover));  // no action
    Begin(target);
    target.CurAction->Begun = false;
    EXPECT_FALSE(target.IsCollide(mover));  // not begun
    target.CurAction->Begun = true;
    target.Alive = false;
    EXPECT_FALSE(target.IsCollide(mover));  // dead
    target.Alive = true;
    target.CollisionRadius = 0.0f;
    EXPECT_FALSE(target.IsCollide(mover));  // radius 0, whatever its ellipse
    EXPECT_TRUE(mover.CollisionRadius == 0.0f && !mover.CurAction);
}

class ObjectTest : public WorldTest {};

TEST_F(ObjectTest, ActionMovesItsOwnerOnlyOnceBegun) {
    Enter("s");
    BaseObject object;
    object.CurAction = std::make_unique<Action>("none");
    object.CurAction->DX = 1.0f;
    object.CurAction->Speed = 100.0f;
    object.CurAction->BeginTime = 0.25f;
    game()->StageTime = 0.125f;
    game()->FrameTime = 0.125f;
    object.CurAction->Name.clear();  // no script to call on the begin
    object.Update();
    EXPECT_EQ(0.0f, object.X);
    game()->StageTime = 0.25f;
    object.Update();  // begins and moves in the same frame
    EXPECT_EQ(12.5f, object.X);
    object.Update();
    EXPECT_EQ(25.0f, object.X);
}

TEST_F(ObjectTest, CopyFromGivesAnActionlessObjectItsOwnCopy) {
    BaseObject source;
    source.CurAction = std::make_unique<Action>("walk");
    source.CurAction->DX = 3.0f;
    source.Type = 9;
    source.X = 4.0f;
    source.Angle = 1.0f;
    source.R = 0.5f;
    source.Key = "k";
    source.SetCustom("a", 2);
    BaseObject copy;
    copy.Angle = 2.0f;
    copy.CopyFrom(source);
    ASSERT_TRUE(copy.CurAction);
    EXPECT_NE(source.CurAction.get(), copy.CurAction.get());
    EXPECT_EQ("walk", copy.CurAction->Name);
    EXPECT_EQ(3.0f, copy.CurAction->DX);
    EXPECT_EQ(9, copy.Type);
    EXPECT_EQ(4.0f, copy.X);
    EXPECT_EQ(2, copy.GetCustom("a"));
    EXPECT_EQ("k", copy.Key);
    EXPECT_EQ(2.0f, copy.Angle);  // the look stays this object's own
    EXPECT_EQ(0.0f, copy.R);
    copy.CopyFrom(copy);
    EXPECT_EQ(3.0f, copy.CurAction->DX);
}

TEST_F(ObjectTest, CallbackThatReplacesItsOwnActionEndsTheOldOne) {
    ActionFile("first", "{ DX = 1, Speed = 8, BeginTime = 125, ActTime = 125, Interval = 125 }",
               "function OnBegin(o) end\n"
               "function OnAction(o) log = log .. 'A'; Obj_SetAction(o, 'second') end\n"
               "function OnInterval(o) log = log .. 'I' end\n");
    ActionFile("second", "{ X = 100, DX = -1, Speed = 8, BeginTime = 125 }",
               "function OnBegin(o) log = log .. 'B2' end\n");
    RunLua("log = ''");
    Object("plain/o", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_SetAction(o, 'first')");
    BaseObject* o = Handle("o");
    Frame();  // first begins and moves to 1
    EXPECT_EQ(1.0f, o->X);
    Frame();  // OnAction replaces it: no OnInterval of the old one, no move by the new one
    EXPECT_EQ("A", GlobalString("log"));
    EXPECT_EQ("second", o->CurAction->Name);
    EXPECT_EQ(100.0f, o->X);
    Frame();
    EXPECT_EQ("AB2", GlobalString("log"));
    EXPECT_EQ(99.0f, o->X);
}

TEST_F(ObjectTest, ActionFileThatReplacesTheActionWhileLoadingLeavesTheNewOne) {
    ActionFile("greedy", "{ DX = 5 }",
               "if victim and not replacing then\n"
               "  replacing = true; Obj_SetAction(victim, 'calm'); replacing = false\n"
               "end\n");
    ActionFile("calm", "{ DX = 2 }");
    Object("plain/o", "{}");
    Enter("s", "victim = Stage_AddObject('o', 'plain/o') Obj_SetAction(victim, 'greedy')");
    BaseObject* o = Handle("victim");
    ASSERT_TRUE(o->CurAction);
    EXPECT_EQ("calm", o->CurAction->Name);
    EXPECT_EQ(o, o->CurAction->Owner);
    Frame();
}

TEST_F(ObjectTest, PlayAniStartsOnlyAnimationsTheSpriteHas) {
    Sprite("pic", 8, 8);
    SpriteRecord* record = ResourceMgr::GetInstance()->GetSprite("pic");
    record->AddAnimation("Run", 2, "0 0");
    BaseObject object;
    object.PlayAni("Run", true);  // no sprite yet
    EXPECT_EQ(nullptr, object.CurAni);
    object.Sprite = record;
    object.PlayAni("Run", false);
    ASSERT_NE(nullptr, object.CurAni);
    EXPECT_TRUE(object.AniPlaying);
    EXPECT_FALSE(record->GetAnimation("Run")->Loop);
    object.AniFrame = 1;
    object.AniTime = 0.2f;
    object.StopAni();
    EXPECT_FALSE(object.AniPlaying);
    EXPECT_EQ(1, object.AniFrame);
    object.PlayAni("Missing", true);  // unknown: the shown animation stays
    EXPECT_EQ(record->GetAnimation("Run"), object.CurAni);
    EXPECT_EQ(1, object.AniFrame);
    EXPECT_EQ(0u, record->Animations->count("Missing"));
    object.PlayAni("Run", true);
    EXPECT_EQ(0, object.AniFrame);
    EXPECT_EQ(0.0f, object.AniTime);
    EXPECT_TRUE(record->GetAnimation("Run")->Loop);
}

TEST_F(ObjectTest, DrawAppliesTheLookAndTheScreenOffset) {
    Sprite("pic", 20, 10);
    Object("plain/o", "{ Sprite = 'pic' }");
    Enter("s",
          "o = Stage_AddObject('o', 'plain/o')\n"
          "Obj_SetX(o, 100) Obj_SetY(o, 50)\n"
          "Obj_SetScale(o, 2) Obj_SetAlpha(o, 0.5) Obj_SetRGB(o, 1, 0.5, 0)\n"
          "Stage_SetScreenPos(10.9, -5.2)");
    stage()->Draw();
    ASSERT_EQ(1u, device_.CurrentFrame().size());
    const RecordedDraw& d = device_.CurrentFrame()[0];
    EXPECT_NEAR(110.0f, CentreX(d), 1e-3);
    EXPECT_NEAR(45.0f, CentreY(d), 1e-3);
    EXPECT_NEAR(40.0f, d.X[1] - d.X[0], 1e-3);  // scaled about the centre
    EXPECT_EQ(0x80FF8000u, d.Colour[0]);

    RunLua("Obj_SetAngle(o, " + std::to_string(kPiF / 2) + ") Obj_SetScale(o, 1)");
    stage()->Draw();
    const RecordedDraw& turned = device_.CurrentFrame()[1];
    EXPECT_NEAR(0.0f, std::fabs(turned.X[1] - turned.X[0]), 1e-3);  // the top edge now runs down
    EXPECT_NEAR(20.0f, std::fabs(turned.Y[1] - turned.Y[0]), 1e-3);
}

TEST_F(ObjectTest, PlayingAnimationAdvancesWithTheFrameClock) {
    Sprite("grid", 16, 8);
    ResourceMgr::GetInstance()->AddAniSprite("cells", "grid.png", 8, 8, 2, 1);
    SpriteRecord* record = ResourceMgr::GetInstance()->GetSprite("cells");
    record->AddAnimation("Blink", 2, "0 1");
    record->SetDefaultSpeed("Blink", 0.25f);
    Object("plain/o", "{ Sprite = 'cells' }");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_PlayAni(o, 'Blink', true)");
    game()->FrameTime = 0.125f;
    std::vector<float> lefts;
    for (int i = 0; i < 6; ++i) {
        stage()->Draw();
        lefts.push_back(device_.CurrentFrame().back().U[0]);
    }
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f}), lefts);
    // The last draw ended cell 0's time, so cell 1 is next, and stays.
    RunLua("Obj_StopAni(o)");
    for (int i = 0; i < 3; ++i) {
        stage()->Draw();
        EXPECT_EQ(0.5f, device_.CurrentFrame().back().U[0]);
    }
}

TEST_F(ObjectTest, DirectionFunctionsMeasureFromTheObjectToTheTarget) {
    Object("plain/o", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') t = Stage_AddObject('t', 'plain/o')");
    BaseObject* o = Handle("o");
    BaseObject* t = Handle("t");
    struct Case {
        float dx, dy, angle;
    };
    const Case cases[] = {
        {0.0f, -10.0f, kPiF},            // above
        {10.0f, 0.0f, 3.0f * kPiF / 2},  // right
        {-10.0f, 0.0f, kPiF / 2},        // left
        {0.0f, 10.0f, 2.0f * kPiF},      // below
    };
    for (const Case& c : cases) {
        t->X = c.dx;
        t->Y = c.dy;
        RunLua("Obj_SetDirection(o, t)");
        EXPECT_NEAR(c.angle, o->Angle, 1e-6) << c.dx << "," << c.dy;
    }
    t->X = 3.0f;
    t->Y = 4.0f;
    RunLua("dx, dy = Obj_GetDirectionX(o, t), Obj_GetDirectionY(o, t)");
    EXPECT_FLOAT_EQ(0.6f, static_cast<float>(GlobalNumber("dx")));
    EXPECT_FLOAT_EQ(0.8f, static_cast<float>(GlobalNumber("dy")));
}

TEST_F(ObjectTest, AngleDirectionIsClockwiseFromUp) {
    Object("plain/o", "{}");
    ActionFile("none", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_SetAction(o, 'none')");
    Action* action = Handle("o")->CurAction.get();
    RunLua("Obj_SetAngleDXDY(o, 0)");
    EXPECT_FLOAT_EQ(0.0f, action->DX);
    EXPECT_FLOAT_EQ(-1.0f, action->DY);
    RunLua("Obj_SetAngleDXDY(o, 90.9)");
    EXPECT_FLOAT_EQ(1.0f, action->DX);
    EXPECT_FLOAT_EQ(static_cast<float>(-std::cos(kPiF / 2)), action->DY);
    RunLua("Obj_SetAngleDXDY(o, 180)");
    EXPECT_NEAR(0.0f, action->DX, 1e-6);
    EXPECT_FLOAT_EQ(1.0f, action->DY);
    EXPECT_EQ(0.0f, Handle("o")->Angle);
}

TEST_F(ObjectTest, StaleHandlesActLikeTheNullHandle) {
    Object("plain/o", "{}");
    ActionFile("none", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_SetAction(o, 'none') Obj_Delete(o)");
    Frame();  // the pass removes and destroys the object
    EXPECT_EQ(nullptr, stage()->GetObject("o"));
    RunLua(
        "Obj_SetX(o, 5) Obj_SetDX(o, 1) Obj_SetCustom(o, 'a', 1) Obj_SetAction(o, 'none')\n"
        "Obj_Delete(o) Obj_SetHP(o, 3) Obj_PlayAni(o, 'x', true) Obj_SetDirection(o, o)\n"
        "r = { Obj_GetX(o), Obj_GetDX(o), Obj_GetCustom(o, 'a'), Obj_GetHP(o),\n"
        "      Obj_GetDirectionX(o, o), Obj_GetStep(o) }\n"
        "n = #r");
    EXPECT_EQ(0.0, GlobalNumber("n"));

    // A removed stage takes its objects' handles with it.
    Enter("t", "kept = Stage_AddObject('k', 'plain/o')");
    game()->RemoveCurStage();
    Frame();
    RunLua("gone = Obj_GetX(kept) == nil and 1 or 0");
    EXPECT_EQ(1.0, GlobalNumber("gone"));
}

class ScoreBoardTest : public WorldTest {
protected:
    ScoreBoard* Board(const std::string& info) {
        Sprite("digits", 200, 24);
        Object("board/score", info);
        Enter("s", "board = Stage_AddObject('board', 'board/score')");
        return static_cast<ScoreBoard*>(Handle("board"));
    }
    // The x of each drawn cell and the left texture coordinate it showed.
    std::vector<std::pair<float, float>> Cells() {
        std::vector<std::pair<float, float>> cells;
        for (const RecordedDraw& d : device_.CurrentFrame()) {
            cells.emplace_back(CentreX(d), d.U[0]);
            EXPECT_NEAR(d.U[1] - d.U[0], 0.1f, 1e-6);
            EXPECT_EQ(0.0f, d.V[0]);
            EXPECT_EQ(1.0f, d.V[2]);
        }
        return cells;
    }
};

TEST_F(ScoreBoardTest, DrawsZeroPaddedDigitsCellByCellWithoutTheScreenOffset) {
    ScoreBoard* board = Board("{ Type = 7, Sprite = 'digits', DigitSpace = 6, X = 300, Y = 10.7 }");
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(10.0f, board->Y);
    EXPECT_EQ(20, board->Sprite->FrameWidth);
    EXPECT_EQ(24, board->Sprite->FrameHeight);
    board->Score = 1234;
    board->Alpha = 0.0f;  // the board's own look is not applied
    RunLua("Stage_SetScreenPos(50, 50)");
    stage()->Draw();
    const auto cells = Cells();
    const float digits[] = {0, 0, 1, 2, 3, 4};
    ASSERT_EQ(6u, cells.size());
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(300.0f + 20.0f * i, cells[i].first, 1e-3) << i;
        EXPECT_NEAR(digits[i] * 0.1f, cells[i].second, 1e-6) << i;
        EXPECT_NEAR(10.0f, CentreY(device_.CurrentFrame()[i]), 1e-3);
    }
    EXPECT_EQ(0xFF000000u, device_.CurrentFrame()[0].Colour[0]);
}

TEST_F(ScoreBoardTest, LongAndNegativeScores) {
    ScoreBoard* board = Board("{ Type = 7, Sprite = 'digits', DigitSpace = 6, X = 10.5 }");
    board->Score = 9876543;
    stage()->Draw();
    auto cells = Cells();
    ASSERT_EQ(7u, cells.size());  // grows to the right
    EXPECT_NEAR(10.5f + 120.0f, cells[6].first, 1e-3);
    EXPECT_NEAR(0.3f, cells[6].second, 1e-6);

    device_.Present();
    board->Score = -12;
    stage()->Draw();
    cells = Cells();
    ASSERT_EQ(5u, cells.size());  // "-00012": the sign's cell is skipped
    EXPECT_NEAR(10.5f + 20.0f, cells[0].first, 1e-3);
    EXPECT_NEAR(0.2f, cells[4].second, 1e-6);

    device_.Present();
    board->Score = -2147483647 - 1;
    board->DigitSpace = 1000000;
    stage()->Draw();
    EXPECT_FALSE(Cells().empty());
}

TEST_F(ScoreBoardTest, WithoutASpriteNothingIsDrawn) {
    Object("board/score", "{ Type = 7, Sprite = 'nothing', DigitSpace = 3 }");
    Enter("s", "board = Stage_AddObject('board', 'board/score')");
    static_cast<ScoreBoard*>(Handle("board"))->Score = 5;
    stage()->Draw();
    EXPECT_TRUE(device_.CurrentFrame().empty());
}

TEST_F(ScoreBoardTest, SetScoreFromScriptsOnlyReachesLiveScoreBoards) {
    ScoreBoard* board = Board("{ Type = 7, Sprite = 'digits', DigitSpace = 6 }");
    Object("mob/m", "{ Type = 2, HP = 5 }");
    RunLua(
        "mob = Stage_AddObject('m', 'mob/m')\n"
        "ScoreBoard_SetScore(board, 1234.9)\n"
        "ScoreBoard_SetScore(mob, 99)\n"
        "ScoreBoard_SetScore(nil, 7)\n"
        "ScoreBoard_SetScore(Stage_GetObject('none'), 7)\n"
        "ScoreBoard_SetScore(board, 0/0)");
    EXPECT_EQ(0, board->Score);  // NaN reads as 0, after 1234.9 read as 1234
    RunLua("ScoreBoard_SetScore(board, 1234.9)\nhp = Obj_GetHP(mob)");
    EXPECT_EQ(1234, board->Score);
    EXPECT_EQ(5.0, GlobalNumber("hp"));
    // A board that is gone: the handle is ignored.
    game()->RemoveCurStage();
    Frame();
    RunLua("ScoreBoard_SetScore(board, 5)");
}

}  // namespace
}  // namespace Velmora::Testing
