#include <algorithm>

#include "TestGame.h"
#include "world/Friend.h"
#include "world/Item.h"
#include "world/StageObjects.h"

namespace Velmora::Testing {
namespace {

class StageTest : public WorldTest {};

// Keys taken over by a later object are seen in play; here, objects whose files name
// another kind than the list they were made for, and the loser of a key.
TEST_F(StageTest, ObjectsThatGoLeaveTheirListsAndAreDestroyedOnce) {
    Object("item/odd", "{ Type = 2, Name = 'odd' }");
    Object("friend/odd", "{ Type = 5 }");
    Object("plain/o", "{}");
    Enter("s",
          "item = Stage_CreateItem('odd', 0, 0) buddy = Stage_CreateFriend('friend/odd', 0, 0)\n"
          "Obj_Delete(item) Obj_Delete(buddy)\n"
          "first = Stage_AddObject('dup', 'plain/o') second = Stage_AddObject('dup', 'plain/o')");
    EXPECT_EQ(1, std::count(stage()->Items.begin(), stage()->Items.end(), Handle("item")));
    EXPECT_EQ(1, std::count(stage()->Friends.begin(), stage()->Friends.end(), Handle("buddy")));
    const std::size_t live = world().LiveCount();
    RunLua("Obj_Delete(first)");
    Frame();
    EXPECT_TRUE(stage()->Items.empty() && stage()->Friends.empty() && stage()->Mobs.empty());
    EXPECT_EQ(live - 3, world().LiveCount());
    EXPECT_EQ(Handle("second"), stage()->GetObject("dup"));
    // An effect whose OnCreate fails is destroyed unregistered, and takes no serial.
    Object("effect/bad", "{ Type = 6, Name = 'bad' }", "function OnCreate(e) error('boom') end");
    Object("effect/none", "{ Type = 6, Name = 'none' }");
    const int serial = stage()->NextSerial;
    EXPECT_THROW(stage()->CreateEffect("bad", 1, 2), LuaException);
    EXPECT_THROW(stage()->CreateEffect("none", 1, 2), LuaException);  // no OnCreate at all
    // Only the two templates the loads left in the cache stay.
    EXPECT_EQ(live - 1, world().LiveCount());
    EXPECT_EQ(1u, stage()->ByKey.size());
    EXPECT_EQ(serial, stage()->NextSerial);
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
    const std::size_t live = world().LiveCount();
    Frame();
    EXPECT_NE(nullptr, stage()->GetObject("fresh"));
    EXPECT_EQ(live - 1, world().LiveCount());  // a and b gone, fresh made
    EXPECT_EQ(0.0f, world().StageTime);
    // Also when the frame then fails: each left stage still goes at the frame's end.
    ActionFile("again", "{ BeginTime = 125 }",
               "function OnBegin(o) Game_ActiveStage('loop') error('after the switch') end\n");
    game_.Write(
        "res/stage/loop/Info.lua",
        "function OnStageCreate() Obj_SetAction(Stage_AddObject('o', 'plain/o'), 'again') end\n");
    world().ActiveStage("loop");
    EXPECT_THROW(Frame(), LuaException);
    const std::size_t looping = world().LiveCount();
    for (int i = 0; i < 5; ++i) {
        EXPECT_THROW(Frame(), LuaException);
        EXPECT_EQ(looping, world().LiveCount()) << "frame " << i;
    }
}

// Objects live in the world's pool: a removed object's memory goes to the next one made
// while its handle stays null, and a full world refuses the next object with the script
// error and keeps no memory for it.
TEST_F(StageTest, PooledObjectsKeepHandlesAndTheLimit) {
    Object("plain/o", "{}");
    Object("bullet/b", "{ Type = 4, Name = 'b' }");
    Enter("s", "a = Stage_AddObject('a', 'plain/o') Stage_CreateBullet('bullet/b', 1, 0, 0)");
    const BaseObject* first = Handle("a");
    RunLua("Obj_Delete(a)");
    Frame();
    RunLua("b = Stage_AddObject('b', 'plain/o')");
    EXPECT_EQ(first, Handle("b"));
    EXPECT_EQ(nullptr, Handle("a"));

    const std::size_t used = world().Pool().InUse();
    const std::size_t room = World::kMostObjects - world().LiveCount();
    EXPECT_THROW(stage()->CreateBullets("bullet/b", static_cast<int>(room) + 1, 0, 0),
                 LuaException);
    EXPECT_EQ(World::kMostObjects, world().LiveCount());
    EXPECT_EQ(used + 2 * room, world().Pool().InUse());  // each bullet and its action
}

}  // namespace
}  // namespace Velmora::Testing
