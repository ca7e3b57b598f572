#include <cmath>
#include <functional>

#include "WorldFixture.h"
#include "object/Action.h"
#include "object/ScoreBoard.h"
#include "stage/Stage.h"

namespace Velmora::Testing {
namespace {

using Platform::RecordedDraw;

constexpr float kPiF = 3.14159265358979323846f;

float CentreX(const RecordedDraw& d) {
    return (d.X[0] + d.X[1] + d.X[2] + d.X[3]) / 4.0f;
}
float CentreY(const RecordedDraw& d) {
    return (d.Y[0] + d.Y[1] + d.Y[2] + d.Y[3]) / 4.0f;
}

// A target of radius 10 at the origin whose action has begun, as collision requires.
struct Target : BaseObject {
    explicit Target(float ellipseX = 0.0f) {
        CollisionRadius = 10.0f;
        EllipseX = ellipseX;
        CurAction = std::make_unique<Action>();
        CurAction->Begun = true;
    }
};

TEST(CollisionTest, HitRegionIsADiamondWidenedByBothShapes) {
    const struct {
        float ellipseX, x, y, moverRadius;
        bool hit;
    } cases[] = {
        {0, 7, 0, 0, true},    {0, 7, 7, 0, false},  // 0.7 + 0.7, although 7^2 + 7^2 < 10^2
        {0, 10, 0, 0, true},   {0, 0, 0, 0, true},
        {0, 12, 0, 0, false},  {0, 12, 0, 10, true},  // 12 / sqrt(200) < 1
        {20, 15, 0, 0, true},  // a semi-axis replaces the radius along its axis
        {20, 0, 15, 0, false}, {20, 0, 10, 0, true},
    };
    for (const auto& c : cases) {
        Target target(c.ellipseX);
        BaseObject mover;
        mover.X = c.x;
        mover.Y = c.y;
        mover.CollisionRadius = c.moverRadius;
        EXPECT_EQ(c.hit, target.IsCollide(mover))
            << "ellipse " << c.ellipseX << " at (" << c.x << ", " << c.y << ")";
    }
}

TEST(CollisionTest, OnlyTheTargetsGatesCount) {
    BaseObject mover;  // no radius, no action: never a gate
    const std::function<void(Target&)> closed[] = {
        [](Target& t) { t.CurAction->Begun = false; }, [](Target& t) { t.Alive = false; },
        [](Target& t) { t.CollisionRadius = 0.0f; },  // whatever its ellipse
        [](Target& t) { t.CurAction.reset(); }};
    EXPECT_TRUE(Target(20.0f).IsCollide(mover));
    for (const auto& close : closed) {
        Target target(20.0f);
        close(target);
        EXPECT_FALSE(target.IsCollide(mover));
    }
}

class ObjectTest : public WorldTest {};

TEST_F(ObjectTest, ScriptsThatReplaceTheRunningActionEndIt) {
    ActionFile("first", "{ DX = 1, Speed = 8, BeginTime = 125, ActTime = 125, Interval = 125 }",
               "function OnBegin(o) end\n"
               "function OnAction(o) log = log .. 'A'; Obj_SetAction(o, 'second') end\n"
               "function OnInterval(o) log = log .. 'I' end\n");
    ActionFile("second", "{ X = 100, DX = -1, Speed = 8, BeginTime = 125 }",
               "function OnBegin(o) log = log .. 'B2' end\n");
    // An action file that replaces the action while it is being loaded.
    ActionFile("greedy", "{ DX = 5 }",
               "if victim and not replacing then\n"
               "  replacing = true; Obj_SetAction(victim, 'calm'); replacing = false\n"
               "end\n");
    ActionFile("calm", "{ DX = 2 }");
    RunLua("log = ''");
    Object("plain/o", "{}");
    Enter("s",
          "o = Stage_AddObject('o', 'plain/o') Obj_SetAction(o, 'first')\n"
          "victim = Stage_AddObject('v', 'plain/o') Obj_SetAction(victim, 'greedy')");
    BaseObject* o = Handle("o");
    BaseObject* victim = Handle("victim");
    ASSERT_TRUE(victim->CurAction);
    EXPECT_EQ("calm", victim->CurAction->Name);
    EXPECT_EQ(victim, victim->CurAction->Owner);
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

TEST_F(ObjectTest, DrawTurnsTheObjectAndShiftsItByTheScreenOffset) {
    Sprite("pic", 20, 10);
    Object("plain/o", "{ Sprite = 'pic' }");
    Enter("s",
          "o = Stage_AddObject('o', 'plain/o') Obj_SetX(o, 100) Obj_SetY(o, 50)\n"
          "Obj_SetAngle(o, " +
              std::to_string(kPiF / 2) + ") Stage_SetScreenPos(10.9, -5.2)");
    stage()->Draw();
    ASSERT_EQ(1u, device_.CurrentFrame().size());
    const RecordedDraw& d = device_.CurrentFrame()[0];
    EXPECT_NEAR(110.0f, CentreX(d), 1e-3);  // the offset in whole pixels
    EXPECT_NEAR(45.0f, CentreY(d), 1e-3);
    EXPECT_NEAR(0.0f, std::fabs(d.X[1] - d.X[0]), 1e-3);  // the top edge now runs down
    EXPECT_NEAR(20.0f, std::fabs(d.Y[1] - d.Y[0]), 1e-3);
}

TEST_F(ObjectTest, AnimationsPlayOnlyWhatTheSpriteHasAndFollowTheFrameClock) {
    Sprite("grid", 16, 8);
    ResourceMgr::GetInstance()->AddAniSprite("cells", "grid.png", 8, 8, 2, 1);
    SpriteRecord* record = ResourceMgr::GetInstance()->GetSprite("cells");
    record->AddAnimation("Blink", 2, "0 1");
    record->SetDefaultSpeed("Blink", 0.25f);
    const Animation* blink = record->GetAnimation("Blink");
    Object("plain/o", "{ Sprite = 'cells' }");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_PlayAni(o, 'Blink', false)");
    BaseObject* o = Handle("o");
    EXPECT_EQ(blink, o->CurAni);
    EXPECT_FALSE(blink->Loop);  // the flag belongs to the shared animation

    RunLua("Obj_PlayAni(o, 'Blink', true)");
    EXPECT_TRUE(blink->Loop);
    game()->FrameTime = 0.125f;
    std::vector<float> lefts;
    for (int i = 0; i < 6; ++i) {
        stage()->Draw();
        lefts.push_back(device_.CurrentFrame().back().U[0]);
    }
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f}), lefts);
    // The last draw ended cell 0's time: stopped, cell 1 shows and stays.
    RunLua("Obj_StopAni(o)");
    EXPECT_FALSE(o->AniPlaying);
    for (int i = 0; i < 3; ++i) {
        stage()->Draw();
        EXPECT_EQ(0.5f, device_.CurrentFrame().back().U[0]);
    }
    // An unknown name leaves the shown animation as it is; a known one starts over.
    RunLua("Obj_PlayAni(o, 'Missing', true)");
    EXPECT_EQ(blink, o->CurAni);
    EXPECT_EQ(1, o->AniFrame);
    EXPECT_EQ(0u, record->Animations->count("Missing"));
    o->AniTime = 0.2f;
    RunLua("Obj_PlayAni(o, 'Blink', true)");
    EXPECT_TRUE(o->AniPlaying);
    EXPECT_EQ(0, o->AniFrame);
    EXPECT_EQ(0.0f, o->AniTime);
    BaseObject bare;  // no sprite, nothing to play
    bare.PlayAni("Blink", true);
    EXPECT_EQ(nullptr, bare.CurAni);
}

TEST_F(ObjectTest, SetDirectionTurnsTheObjectTowardsTheTarget) {
    Object("plain/o", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') t = Stage_AddObject('t', 'plain/o')");
    BaseObject* o = Handle("o");
    BaseObject* t = Handle("t");
    const struct {
        float dx, dy, angle;
    } cases[] = {{0, -10, kPiF}, {10, 0, 3 * kPiF / 2}, {-10, 0, kPiF / 2}, {0, 10, 2 * kPiF}};
    for (const auto& c : cases) {
        t->X = c.dx;
        t->Y = c.dy;
        RunLua("Obj_SetDirection(o, t)");
        EXPECT_NEAR(c.angle, o->Angle, 1e-6) << c.dx << "," << c.dy;
    }
}

TEST_F(ObjectTest, HandlesOfDestroyedObjectsActLikeTheNullHandle) {
    Object("plain/o", "{}");
    ActionFile("none", "{}");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_SetAction(o, 'none') Obj_Delete(o)");
    Frame();  // the pass removes and destroys the object
    EXPECT_EQ(nullptr, stage()->GetObject("o"));
    RunLua(
        "Obj_SetX(o, 5) Obj_SetDX(o, 1) Obj_SetCustom(o, 'a', 1) Obj_SetAction(o, 'none')\n"
        "Obj_Delete(o) Obj_SetHP(o, 3) Obj_PlayAni(o, 'x', true) Obj_SetDirection(o, o)\n"
        "r = { Obj_GetX(o), Obj_GetDX(o), Obj_GetCustom(o, 'a'), Obj_GetHP(o),\n"
        "      Obj_GetDirectionX(o, o), Obj_GetStep(o), ScoreBoard_SetScore(o, 1) }\n"
        "n = #r");
    EXPECT_EQ(0.0, GlobalNumber("n"));
}

class ScoreBoardTest : public WorldTest {
protected:
    ScoreBoard* Board(const std::string& info) {
        Sprite("digits", 200, 24);
        Object("board/score", info);
        Enter("s", "board = Stage_AddObject('board', 'board/score')");
        return static_cast<ScoreBoard*>(Handle("board"));
    }
    // The x of each drawn cell and the digit it showed; every cell a tenth of the picture.
    std::vector<std::pair<float, int>> Drawn() {
        device_.Present();
        stage()->Draw();
        std::vector<std::pair<float, int>> cells;
        for (const RecordedDraw& d : device_.CurrentFrame()) {
            cells.emplace_back(CentreX(d), static_cast<int>(std::lround(d.U[0] * 10.0f)));
            EXPECT_NEAR(0.1f, d.U[1] - d.U[0], 1e-6);
            EXPECT_EQ(0.0f, d.V[0]);
            EXPECT_EQ(1.0f, d.V[2]);
            EXPECT_NEAR(Handle("board")->Y, CentreY(d), 1e-3);
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
    EXPECT_EQ((std::vector<std::pair<float, int>>{
                  {300, 0}, {320, 0}, {340, 1}, {360, 2}, {380, 3}, {400, 4}}),
              Drawn());
    EXPECT_EQ(0xFF000000u, device_.CurrentFrame()[0].Colour[0]);

    board->Score = 9876543;  // longer than the padding: grows to the right
    EXPECT_EQ(7u, Drawn().size());
    EXPECT_EQ((std::pair<float, int>{420, 3}), Drawn().back());
    board->Score = -12;  // "-00012": the sign's cell is skipped
    EXPECT_EQ(
        (std::vector<std::pair<float, int>>{{320, 0}, {340, 0}, {360, 0}, {380, 1}, {400, 2}}),
        Drawn());
    board->Score = -2147483647 - 1;
    board->DigitSpace = 1000000;
    EXPECT_FALSE(Drawn().empty());
}

TEST_F(ScoreBoardTest, SetScoreFromScriptsOnlyReachesLiveScoreBoards) {
    ScoreBoard* board = Board("{ Type = 7, Sprite = 'digits', DigitSpace = 6 }");
    Object("mob/m", "{ Type = 2, HP = 5 }");
    RunLua(
        "mob = Stage_AddObject('m', 'mob/m')\n"
        "ScoreBoard_SetScore(board, 1234.9)\n"
        "ScoreBoard_SetScore(mob, 99)\n"
        "ScoreBoard_SetScore(nil, 7)\n"
        "ScoreBoard_SetScore(board, 0/0)");
    EXPECT_EQ(0, board->Score);  // NaN reads as 0, after 1234.9 read as 1234
    RunLua("ScoreBoard_SetScore(board, 1234.9)\nhp = Obj_GetHP(mob)");
    EXPECT_EQ(1234, board->Score);
    EXPECT_EQ(5.0, GlobalNumber("hp"));

    // Without its picture a board draws nothing.
    Object("board/blank", "{ Type = 7, Sprite = 'nothing', DigitSpace = 3 }");
    RunLua("blank = Stage_AddObject('blank', 'board/blank') ScoreBoard_SetScore(blank, 5)");
    board->Sprite = nullptr;
    stage()->Draw();
    EXPECT_TRUE(device_.CurrentFrame().empty());
}

}  // namespace
}  // namespace Velmora::Testing
