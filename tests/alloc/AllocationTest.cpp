// Counts the engine's and the interpreter's allocations: a busy stage where nothing comes or
// goes must not allocate, and a bullet made from its template must not run its script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "TestGame.h"
#include "world/StageObjects.h"

namespace {

bool g_counting = false;
long g_engineAllocations = 0;
long g_scriptAllocations = 0;

}  // namespace

void* operator new(std::size_t size) {
    if (g_counting) {
        ++g_engineAllocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace Velmora::Testing {
namespace {

lua_Alloc g_luaAlloc = nullptr;

void* CountingLuaAlloc(void* ud, void* ptr, size_t osize, size_t nsize) {
    if (g_counting && nsize > osize) {
        ++g_scriptAllocations;
    }
    return g_luaAlloc(ud, ptr, osize, nsize);
}

class AllocationTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        lua_State* L = this->L();
        void* ud = nullptr;
        g_luaAlloc = lua_getallocf(L, &ud);
        lua_setallocf(L, CountingLuaAlloc, ud);
        Sprite("dot", 16, 16);
        Object("bullet/b",
               "{ Type = 4, Name = 'b', Sprite = 'dot', Speed = 1, Power = 1, Positive = 1,"
               "  AutoDirection = 1, CollisionRadius = 2 }",
               "loads = (loads or 0) + 1\nfunction OnHit() end");
        Object("mob/m", "{ Type = 2, Sprite = 'dot', HP = 5, CollisionRadius = 8 }",
               "function OnDamage() end");
        ActionFile("drift", "{ DX = 3, DY = 1, Speed = 1, BeginTime = 1 }",
                   "function OnBegin() end");
    }
    // A frame as the game runs it: the logic pass, then the drawing pass.
    void FullFrame() {
        Frame(0.01f);
        device().Clear(0);
        stage()->Draw();
        device().Present();
    }
    // Allocations (engine, script) made by run.
    template <typename Run>
    std::pair<long, long> Count(Run run) {
        g_engineAllocations = 0;
        g_scriptAllocations = 0;
        g_counting = true;
        run();
        g_counting = false;
        return {g_engineAllocations, g_scriptAllocations};
    }
};

TEST_F(AllocationTest, BusyFramesAllocateNothing) {
    // Mobs on an action above, slow player bullets below: every pass has work to do.
    Enter("main",
          "for i = 1, 20 do\n"
          "  local m = Stage_AddObject('m' .. i, 'mob/m')\n"
          "  Obj_SetX(m, i * 20) Obj_SetY(m, 50) Obj_SetAction(m, 'drift')\n"
          "end\n"
          "for i = 1, 300 do\n"
          "  Stage_CreateBullet('bullet/b', 1, (i * 7) % 400, 300 + i % 100)\n"
          "  Stage_AdjustBullet(0, (i % 5) - 2, -1)\n"
          "end");
    ASSERT_EQ(20u, stage()->Mobs.size());
    for (int i = 0; i < 3; ++i) {
        FullFrame();  // storage grows to its frame size
    }
    const std::size_t live = world().LiveCount();
    const auto counts = Count([&] {
        for (int i = 0; i < 50; ++i) {
            FullFrame();
        }
    });
    EXPECT_EQ(0, counts.first) << "engine allocations in 50 frames";
    EXPECT_EQ(0, counts.second) << "interpreter allocations in 50 frames";
    EXPECT_EQ(live, world().LiveCount()) << "objects came or went";
}

TEST_F(AllocationTest, BulletsFromTheirTemplateRunNoScript) {
    Enter("main", "Stage_CreateBullet('bullet/b', 1, 10, 10)");
    const double loads = GlobalNumber("loads");
    const auto counts = Count([&] { stage()->CreateBullets("bullet/b", 100, 5, 5); });
    EXPECT_EQ(loads, GlobalNumber("loads")) << "the bullet's file ran again";
    EXPECT_EQ(0, counts.second);
    // Each bullet's own allocations, and its places in the registries; no more.
    EXPECT_LE(counts.first, 100 * 5 + 20);
}

}  // namespace
}  // namespace Velmora::Testing
