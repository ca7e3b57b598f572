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

// Keys taken over by a later object are seen in play; here, objects whose files name
// another kind than the list they were made for, and the loser of a key.
TEST_F(StageTest, RemovedObjectsLeaveTheirListsAndAreDestroyedOnce) {
    Object("item/odd", "{ Type = 2, Name = 'odd' }");
    Object("friend/odd", "{ Type = 5 }");
    Object("plain/o", "{}");
    Enter("s",
          "item = Stage_CreateItem('odd', 0, 0) buddy = Stage_CreateFriend('friend/odd', 0, 0)\n"
          "Obj_Delete(item) Obj_Delete(buddy)\n"
          "first = Stage_AddObject('dup', 'plain/o') second = Stage_AddObject('dup', 'plain/o')");
    EXPECT_TRUE(Holds(stage()->Items, Handle("item")));
    EXPECT_TRUE(Holds(stage()->Friends, Handle("buddy")));
    const std::size_t live = BaseObject::LiveCount();
    RunLua("Obj_Delete(first)");
    Frame();
    EXPECT_TRUE(stage()->Items.empty() && stage()->Friends.empty() && stage()->Mobs.empty());
    EXPECT_EQ(live - 3, BaseObject::LiveCount());
    EXPECT_EQ(Handle("second"), stage()->GetObject("dup"));
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

TEST_F(StageTest, StagesReplacedDuringTheirOwnPassDieAtTheFrameEnd) {
    Object("plain/o", "{}");
    ActionFile("leave", "{ BeginTime = 125 }",
               "function OnBegin(o) Game_ActiveStage('next') end\n");
    game_.Write("res/stage/next/Info.lua",
                "function OnStageCreate() Stage_AddObject('fresh', 'plain/o') end\n");
    Enter(
        "s",
        "Obj_SetAction(Stage_AddObject('a', 'plain/o'), 'leave') Stage_AddObject('b', 'plain/o')");
    const std::size_t live = BaseObject::LiveCount();
    Frame();
    EXPECT_NE(nullptr, stage()->GetObject("fresh"));
    EXPECT_EQ(live - 1, BaseObject::LiveCount());  // a and b gone, fresh made
    EXPECT_EQ(0.0f, game()->StageTime);

    // Also when the frame then fails: each left stage still goes at the frame's end.
    ActionFile("again", "{ BeginTime = 125 }",
               "function OnBegin(o) Game_ActiveStage('loop') error('after the switch') end\n");
    game_.Write(
        "res/stage/loop/Info.lua",
        "function OnStageCreate() Obj_SetAction(Stage_AddObject('o', 'plain/o'), 'again') end\n");
    game()->ActiveStage("loop");
    EXPECT_THROW(Frame(), LuaException);
    const std::size_t looping = BaseObject::LiveCount();
    for (int i = 0; i < 5; ++i) {
        EXPECT_THROW(Frame(), LuaException);
        EXPECT_EQ(looping, BaseObject::LiveCount()) << "frame " << i;
    }
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

TEST_F(StageTest, LayersAreDrawnInAscendingOrder) {
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
