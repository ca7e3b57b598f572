#include <algorithm>

#include "WorldFixture.h"
#include "object/Bullet.h"
#include "object/Friend.h"
#include "object/Hero.h"
#include "object/Item.h"
#include "object/Mob.h"
#include "stage/Stage.h"

namespace Velmora::Testing {
namespace {

class StageTest : public WorldTest {};

template <typename T>
bool Holds(const std::vector<T*>& list, const BaseObject* object) {
    return std::find(list.begin(), list.end(), object) != list.end();
}

TEST_F(StageTest, RemovedObjectsLeaveTheListTheStagePutThemIn) {
    // Files whose Type says nothing of the list they were made for.
    Object("item/odd", "{ Type = 2, Name = 'odd' }");
    Object("friend/odd", "{ Type = 5 }");
    Enter("s",
          "item = Stage_CreateItem('odd', 0, 0) buddy = Stage_CreateFriend('friend/odd', 0, 0)\n"
          "Obj_Delete(item) Obj_Delete(buddy)");
    BaseObject* item = Handle("item");
    BaseObject* buddy = Handle("buddy");
    EXPECT_EQ(2, item->Type);
    EXPECT_TRUE(Holds(stage()->Items, item));
    EXPECT_TRUE(Holds(stage()->Friends, buddy));
    Frame();
    EXPECT_TRUE(stage()->Items.empty());
    EXPECT_TRUE(stage()->Friends.empty());
    EXPECT_TRUE(stage()->Mobs.empty());
    EXPECT_TRUE(stage()->ByKey.empty());
}

TEST_F(StageTest, AnyHeroDyingEmptiesTheHeroList) {
    Object("hero/ace", "{ Type = 1, Name = 'ace' }");
    Object("mob/grunt", "{ Type = 2, Name = 'grunt' }");
    Enter("s",
          "h1 = Stage_AddObject('h1', 'hero/ace') h2 = Stage_AddObject('h2', 'hero/ace')\n"
          "m = Stage_AddObject('m', 'mob/grunt') Obj_Delete(h2)");
    EXPECT_EQ(2u, stage()->Heroes.size());
    EXPECT_EQ(1u, stage()->Mobs.size());
    Frame();
    EXPECT_TRUE(stage()->Heroes.empty());
    EXPECT_NE(nullptr, stage()->GetObject("h1"));
    RunLua("hero = Obj_GetHero() control = Game_GetControlAble()");
    EXPECT_EQ(nullptr, Handle("hero"));
    RunLua("control = control == false and 1 or 0");
    EXPECT_EQ(1.0, GlobalNumber("control"));
}

TEST_F(StageTest, ObjectThatLostItsKeyIsStillUpdatedAndDestroyedOnce) {
    Object("plain/o", "{}");
    ActionFile("count", "{ BeginTime = 125, Interval = 125 }",
               "function OnBegin(o) end\n"
               "function OnInterval(o) n = n + 1 end\n");
    RunLua("n = 0");
    Enter("s",
          "first = Stage_AddObject('dup', 'plain/o') Obj_SetAction(first, 'count')\n"
          "second = Stage_AddObject('dup', 'plain/o') Obj_SetAction(second, 'count')");
    EXPECT_EQ(Handle("second"), stage()->GetObject("dup"));
    const std::size_t live = BaseObject::LiveCount();
    Frame();
    Frame();
    EXPECT_EQ(2.0, GlobalNumber("n"));

    // The loser's removal must not take the key from the object now under it.
    RunLua("Obj_Delete(first)");
    Frame();
    EXPECT_EQ(live - 1, BaseObject::LiveCount());
    EXPECT_EQ(Handle("second"), stage()->GetObject("dup"));

    RunLua("again = Stage_AddObject('dup', 'plain/o')");
    game()->RemoveCurStage();
    Frame();
    EXPECT_EQ(baseline_, BaseObject::LiveCount());
}

TEST_F(StageTest, RemovedBulletKeepsItsPlaceInTheBatchAsAnEmptyEntry) {
    Object("bullet/shot", "{ Type = 4, Name = 'shot', Speed = 1 }");
    Enter("s", "Stage_CreateBullet('bullet/shot', 3, 10, 10) Obj_Delete(Stage_GetBullet(1))");
    Bullet* last = stage()->Bullets[2];
    Frame();
    ASSERT_EQ(3u, stage()->Bullets.size());
    EXPECT_EQ(nullptr, stage()->Bullets[1]);
    EXPECT_EQ(last, stage()->Bullets[2]);
    RunLua(
        "Stage_AdjustBullet(1, 5, 5) Stage_AdjustBullet(3, 5, 5) Stage_AdjustBullet(-1, 5, 5)\n"
        "Stage_AdjustBullet(2, 0.5, -1)\n"
        "r = { Stage_GetBullet(1), Stage_GetBullet(3), Stage_GetBullet(-1) } n = #r\n"
        "third = Stage_GetBullet(2)");
    EXPECT_EQ(0.0, GlobalNumber("n"));
    EXPECT_EQ(last, Handle("third"));
    EXPECT_EQ(0.5f, last->CurAction->DX);
    EXPECT_EQ(-1.0f, last->CurAction->DY);
}

TEST_F(StageTest, EffectWhoseOnCreateFailsIsDestroyedUnregistered) {
    Object("effect/bad", "{ Type = 6, Name = 'bad' }", "function OnCreate(e) error('boom') end");
    Object("effect/none", "{ Type = 6, Name = 'none' }");
    Enter("s");
    const std::size_t live = BaseObject::LiveCount();
    EXPECT_THROW(stage()->CreateEffect("bad", 1, 2), LuaException);
    EXPECT_THROW(stage()->CreateEffect("none", 1, 2), LuaException);  // no OnCreate at all
    // Only the two templates that the loads left in the cache remain.
    EXPECT_EQ(2u, ObjectCache::GetInstance()->ObjectTemplates.size());
    EXPECT_EQ(live + 2, BaseObject::LiveCount());
    EXPECT_TRUE(stage()->ByKey.empty());
    EXPECT_EQ(0, stage()->NextSerial);
}

TEST_F(StageTest, MissingStageLeavesAnEmptyStageAndReportsTheFailure) {
    Object("plain/o", "{}");
    Enter("s", "Stage_AddObject('o', 'plain/o')");
    EXPECT_THROW_TEXT(game()->ActiveStage("missing"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'cannot open res/stage/missing/Info.lua: No such file or directory'");
    ASSERT_NE(nullptr, game()->CurStage);
    EXPECT_EQ("missing", game()->CurStage->Name);
    EXPECT_TRUE(stage()->ByZOrder.empty());
    Frame();
}

TEST_F(StageTest, StageReplacedDuringItsOwnPassStopsTheWalkAndDiesAtTheFrameEnd) {
    Object("plain/o", "{}");
    ActionFile("leave", "{ BeginTime = 125 }",
               "function OnBegin(o) Game_ActiveStage('next') now = Game_GetCurStage() end\n");
    ActionFile("late", "{ BeginTime = 125 }", "function OnBegin(o) late = 1 end\n");
    game_.Write("res/stage/next/Info.lua",
                "function OnStageCreate() Stage_AddObject('fresh', 'plain/o') end\n");
    Enter("s",
          "Obj_SetAction(Stage_AddObject('a', 'plain/o'), 'leave')\n"
          "Obj_SetAction(Stage_AddObject('b', 'plain/o'), 'late')");
    Stage* old = stage();
    const std::size_t live = BaseObject::LiveCount();
    Frame();
    EXPECT_EQ("next", GlobalString("now"));
    EXPECT_EQ("<nil>", GlobalString("late"));  // the old pass stopped at the switch
    EXPECT_NE(old, stage());
    EXPECT_NE(nullptr, stage()->GetObject("fresh"));
    EXPECT_EQ(live - 1, BaseObject::LiveCount());  // a and b gone, fresh made
    EXPECT_EQ(0.0f, game()->StageTime);
}

TEST_F(StageTest, StagesLeftInAFailingFrameAreStillDestroyedAtItsEnd) {
    Object("plain/o", "{}");
    ActionFile("again", "{ BeginTime = 125 }",
               "function OnBegin(o) Game_ActiveStage('loop') error('after the switch') end\n");
    game_.Write("res/stage/loop/Info.lua",
                "function OnStageCreate() Obj_SetAction(Stage_AddObject('o', 'plain/o'), 'again') end\n");
    game()->ActiveStage("loop");
    const std::size_t live = BaseObject::LiveCount();
    for (int i = 0; i < 5; ++i) {
        EXPECT_THROW(Frame(), LuaException);
        EXPECT_EQ(live, BaseObject::LiveCount()) << "frame " << i;
    }
}

TEST_F(StageTest, StageActivatedFromItsOwnLoadingIsReplacedSafely) {
    Object("plain/o", "{}");
    game_.Write(
        "res/stage/final/Info.lua",
        "Info = { Level = 7 } function OnStageCreate() Stage_AddObject('f', 'plain/o') end\n");
    Enter("s",
          "Stage_AddObject('left', 'plain/o') Game_ActiveStage('final') seen = Game_GetCurStage()");
    EXPECT_EQ("final", GlobalString("seen"));
    EXPECT_EQ("final", game()->CurStage->Name);
    EXPECT_EQ(7, game()->CurStage->Level);
    Frame();
    EXPECT_NE(nullptr, stage()->GetObject("f"));
}

TEST_F(StageTest, TemplateOfAnotherClassIsNotCopiedIntoAMob) {
    // The same file made an item through CreateItem first; AddObject then makes a mob.
    Object("item/grunt", "{ Type = 2, Name = 'grunt', HP = 9 }");
    Enter("s", "Stage_CreateItem('grunt', 0, 0) m = Stage_AddObject('m', 'item/grunt')");
    Mob* mob = dynamic_cast<Mob*>(Handle("m"));
    ASSERT_NE(nullptr, mob);
    EXPECT_EQ(9, mob->HP);
    EXPECT_EQ("grunt", mob->Name);
}

TEST_F(StageTest, LayersAreVisitedInAscendingOrderForUpdateAndDraw) {
    Sprite("pic", 4, 4);
    Object("plain/z5", "{ ZOrder = 5, Sprite = 'pic' }");
    Object("plain/z0", "{ ZOrder = 0, Sprite = 'pic' }");
    Object("plain/neg", "{ ZOrder = -1, Sprite = 'pic' }");
    Enter("s",
          "for i, p in ipairs({ 'z5', 'z0', 'z5', 'neg' }) do\n"
          "  local o = Stage_AddObject('o' .. i, 'plain/' .. p) Obj_SetX(o, i * 10)\n"
          "end");
    stage()->Draw();
    std::vector<int> order;
    for (const auto& d : device_.CurrentFrame()) {
        order.push_back(static_cast<int>((d.X[0] + d.X[1]) / 2.0f + 0.5f) / 10);
    }
    EXPECT_EQ((std::vector<int>{4, 2, 1, 3}), order);
}

}  // namespace
}  // namespace Velmora::Testing
