#include <cmath>

#include "TestGame.h"
#include "core/VirtualKeys.h"
#include "resource/SpriteRecord.h"
#include "world/Action.h"
#include "world/Bullet.h"
#include "world/Hero.h"
#include "world/KindRules.h"
#include "world/StageObjects.h"

namespace Velmora::Testing {
namespace {

class KindTest : public WorldTest {};

// The straight headings are seen on the turning mob and bullet below.
TEST_F(KindTest, AngleRunsClockwiseFromStraightDownAndNeedsMotion) {
    EXPECT_FLOAT_EQ(2 * kPiF - std::acos(0.8f), MotionAngle(3, 4));
    EXPECT_FLOAT_EQ(5 * kPiF / 4, MotionAngle(1, -1));
    EXPECT_FLOAT_EQ(2 * kPiF, MotionAngle(0, 1));
    BaseObject object(world());
    object.Angle = 1.0f;
    object.CurAction = MakeAction(world());
    FaceMotion(object);
    EXPECT_EQ(1.0f, object.Angle);
}

TEST_F(KindTest, MobsAppearAndTurnOnlyOnceTheirActionBegins) {
    Sprite("pic", 8, 8);
    Object("mob/turner", "{ Type = 2, Name = 'turner', Sprite = 'pic', AutoDirection = 1 }");
    // A Lua boolean is not a number: the flag reads as off.
    Object("mob/stiff", "{ Type = 2, Name = 'stiff', Sprite = 'pic', AutoDirection = true }");
    Object("friend/f", "{ Type = 8, Sprite = 'pic' }");
    // Power loads as a whole number; the bullet is drawn before its action begins.
    Object("bullet/b", "{ Type = 4, Name = 'b', Sprite = 'pic', Power = -1.5, AutoDirection = 1 }");
    ActionFile("go", "{ DX = 1, BeginTime = 250 }", "function OnBegin(o) end\n");
    Enter("s",
          "turner = Stage_AddObject('t', 'mob/turner') Obj_SetAction(turner, 'go')\n"
          "stiff = Stage_AddObject('s', 'mob/stiff') Obj_SetAction(stiff, 'go')\n"
          "Obj_SetAngle(stiff, 0.5) Stage_CreateFriend('friend/f', 0, 0)\n"
          "Stage_CreateBullet('bullet/b', 1, 100, 100) Stage_AdjustBullet(0, 0, -1)");
    BaseObject* turner = Handle("turner");
    auto* bullet = static_cast<Bullet*>(stage()->Bullets[0]);
    EXPECT_EQ(-1, bullet->Power);
    auto drawn = [&] {
        device().Present();
        stage()->Draw();
        return device().CurrentFrame().size();
    };
    // Before any frame: the friend, which has no action at all, and the bullet.
    EXPECT_EQ(2u, drawn());
    EXPECT_EQ(0.0f, bullet->Angle);
    Frame();
    EXPECT_EQ(2u, drawn());  // the mobs' actions have not begun
    EXPECT_EQ(0.0f, turner->Angle);
    EXPECT_FLOAT_EQ(kPiF, bullet->Angle);  // turned by its first flight
    Frame();
    EXPECT_EQ(4u, drawn());
    EXPECT_FLOAT_EQ(3.0f * kPiF / 2.0f, turner->Angle);
    EXPECT_EQ(0.5f, Handle("stiff")->Angle);
}

TEST_F(KindTest, HeroAnimationsFollowSidewaysTurnsAndTheClampSparesSomeHeroes) {
    // A hero at (100, 100) with a 33 x 33 cell, moving 1 pixel per 0.125 s frame.
    Sprite("ship", 33, 33);
    SpriteRecord* record = engine().Resources().GetSprite("ship");
    for (const char* name : {"LeftDown", "RightDown", "LeftUp", "RightUp"}) {
        record->AddAnimation(name, 1, "0");
        record->GetAnimation(name)->Loop = true;
    }
    Object("hero/ace", "{ Type = 1, Name = 'ace', Sprite = 'ship' }");
    ActionFile("fly", "{ Speed = 8, BeginTime = 1 }", "function OnBegin(o) end\n");
    Enter("s",
          "hero = Stage_AddObject('h', 'hero/ace') Obj_SetX(hero, 100) Obj_SetY(hero, 100)\n"
          "Obj_SetAction(hero, 'fly')");
    auto* hero = static_cast<Hero*>(Handle("hero"));
    // Holds exactly the given arrows for one frame; the animation that frame started.
    auto hold = [&](const std::string& keys) -> std::string {
        for (auto [letter, key] :
             {std::pair{'L', VK_LEFT}, {'R', VK_RIGHT}, {'U', VK_UP}, {'D', VK_DOWN}}) {
            engine().GetInput().SetDown(key, keys.find(letter) != std::string::npos);
        }
        hero->AniTime = 1.0f;  // a start resets it
        Frame();
        for (const auto& entry : *record->Animations) {
            if (&entry.second == hero->CurAni && hero->AniTime == 0.0f) {
                return entry.first;
            }
        }
        return "-";
    };
    const std::pair<const char*, const char*> steps[] = {
        {"LR", "LeftDown"},  // left wins over right
        {"LR", "-"},        {"L", "-"},        {"", "LeftUp"},
        {"", "-"},          {"L", "LeftDown"}, {"R", "RightDown"},  // no frame between: no LeftUp
        {"R", "-"},         {"", "RightUp"},   {"UD", "-"},  // vertical steering plays nothing
        {"D", "-"},         {"", "-"}};
    for (auto [keys, started] : steps) {
        EXPECT_EQ(started, hold(keys)) << "holding " << keys;
    }
    EXPECT_FALSE(hero->CurAni->Loop);
    // The field clamp spares heroes out of the player's control and those without a sprite.
    for (const bool control : {false, true}) {
        hero->X = -50.0f;
        hero->ControlAble = control;
        Frame();
        EXPECT_EQ(control ? 16.0f : -50.0f, hero->X);  // 33 / 2 in whole pixels
    }
    hero->Sprite = nullptr;
    hero->X = -50.0f;
    Frame();
    EXPECT_EQ(-50.0f, hero->X);
}

// Hit callbacks may grow the lists being scanned (losing the stage: the broken games).
TEST_F(KindTest, HitScriptsMayGrowTheListsBeingScanned) {
    ActionFile("now", "{ BeginTime = 1 }", "function OnBegin(o) end\n");
    Object("mob/hydra", "{ Type = 2, Name = 'hydra', CollisionRadius = 5 }",
           "function OnDamage(m, amount)\n"
           "  for i = 1, 40 do Obj_SetAction(Stage_AddObject('s' .. i, 'mob/hydra'), 'now') end\n"
           "  Obj_Delete(m)\n"
           "end\n");
    Object("bullet/shot", "{ Type = 4, Name = 'shot', Positive = 1 }",
           "function OnHit(b, t)\n"
           "  hits = (hits or 0) + 1 Stage_CreateBullet('bullet/shot', 30, 400, 400) "
           "Obj_Delete(b)\nend\n");
    Enter("s",
          "Obj_SetAction(Stage_AddObject('m', 'mob/hydra'), 'now')\n"
          "Stage_CreateBullet('bullet/shot', 3, 0, 0)");
    Frame();
    EXPECT_EQ(1.0, GlobalNumber("hits"));  // the other two found the mob dead
    EXPECT_EQ(41u, stage()->Mobs.size());  // the dead one goes on its next turn
}

}  // namespace
}  // namespace Velmora::Testing
