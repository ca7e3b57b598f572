#include <string>

#include "game/Engine.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"
#include "world/BaseObject.h"
#include "world/Bullet.h"
#include "world/Effect.h"
#include "world/Friend.h"
#include "world/Hero.h"
#include "world/Item.h"
#include "world/Stage.h"

namespace Velmora {

namespace {

// The current stage's container, or null when there is no stage.
// Lookups and creations that find nothing still hand out a handle: the null handle.
int ReturnHandle(lua_State* L, const BaseObject* object) {
    PushHandle(L, object);
    return 1;
}

Hero* FirstHero(lua_State* L) {
    StageObjects* stage = CurrentStage(L);
    if (stage == nullptr || stage->Heroes.empty()) {
        return nullptr;
    }
    return stage->Heroes.front();
}

// The entry of the latest batch at index, or null outside the batch or for a bullet
// that the stage has removed since.
Bullet* BatchBullet(StageObjects* stage, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= stage->Bullets.size()) {
        return nullptr;
    }
    return stage->Bullets[static_cast<std::size_t>(index)];
}

int Key_IsDown(lua_State* L) {
    const int vk = ArgInt(L, 1);
    lua_pushboolean(L, EngineOf(L).GetInput().IsDown(vk) ? 1 : 0);
    return 1;
}

int Game_ActiveStage(lua_State* L) {
    std::string name;
    if (!ArgString(L, 1, name)) {
        return 0;
    }
    EngineOf(L).GetWorld().ActiveStage(name);
    return 0;
}

int Game_GetCurStage(lua_State* L) {
    Stage* slot = EngineOf(L).GetWorld().CurStage();
    if (slot == nullptr) {
        return 0;
    }
    lua_pushlstring(L, slot->Name.data(), slot->Name.size());
    return 1;
}

int Game_RemoveCurStage(lua_State* L) {
    EngineOf(L).GetWorld().RemoveCurStage();
    return 0;
}

int Game_SetControlAble(lua_State* L) {
    const bool flag = ArgFlag(L, 1);
    if (Hero* hero = FirstHero(L)) {
        hero->ControlAble = flag;
    }
    return 0;
}

int Game_GetControlAble(lua_State* L) {
    const Hero* hero = FirstHero(L);
    lua_pushboolean(L, hero != nullptr && hero->ControlAble ? 1 : 0);
    return 1;
}

int Game_Exit(lua_State* L) {
    EngineOf(L).ExitRequested = true;
    return 0;
}

int Game_GetSystemHandle(lua_State* L) {
    return ReturnHandle(L, EngineOf(L).GetWorld().SystemObject());
}

int Stage_AddObject(lua_State* L) {
    std::string key;
    std::string path;
    const bool hasKey = ArgString(L, 1, key);
    const bool hasPath = ArgString(L, 2, path);
    if (!hasKey || !hasPath) {
        return 0;
    }
    StageObjects* stage = CurrentStage(L);
    return ReturnHandle(L, stage != nullptr ? stage->AddObject(key, path) : nullptr);
}

int Stage_GetObject(lua_State* L) {
    std::string key;
    if (!ArgString(L, 1, key)) {
        return 0;
    }
    StageObjects* stage = CurrentStage(L);
    return ReturnHandle(L, stage != nullptr ? stage->GetObject(key) : nullptr);
}

// Stage_CreateItem, Stage_CreateEffect, Stage_CreateFriend: (name, x, y) -> handle.
template <typename T, T* (StageObjects::*Create)(const std::string&, float, float)>
int CreateAt(lua_State* L) {
    std::string name;
    const bool hasName = ArgString(L, 1, name);
    const float x = ArgFloat(L, 2);
    const float y = ArgFloat(L, 3);
    if (!hasName) {
        return 0;
    }
    StageObjects* stage = CurrentStage(L);
    return ReturnHandle(
        L, stage != nullptr ? static_cast<BaseObject*>((stage->*Create)(name, x, y)) : nullptr);
}

int Stage_CreateItem(lua_State* L) {
    return CreateAt<Item, &StageObjects::CreateItem>(L);
}

int Stage_CreateEffect(lua_State* L) {
    return CreateAt<Effect, &StageObjects::CreateEffect>(L);
}

// More bullets than any volley needs: a count this large is a mistake (an infinite or
// unset number, a time in place of a count) that would otherwise exhaust memory.
constexpr int kMaxBulletBatch = 100000;

int Stage_CreateBullet(lua_State* L) {
    std::string path;
    const bool hasPath = ArgString(L, 1, path);
    const int count = ArgInt(L, 2);
    const float x = ArgFloat(L, 3);
    const float y = ArgFloat(L, 4);
    StageObjects* stage = CurrentStage(L);
    if (hasPath && stage != nullptr) {
        if (count > kMaxBulletBatch) {
            throw LuaException("Stage_CreateBullet(): " + std::to_string(count) +
                               " bullets at once is more than the engine makes (at most " +
                               std::to_string(kMaxBulletBatch) + ")");
        }
        stage->CreateBullets(path, count, x, y);
    }
    return 0;
}

int Stage_AdjustBullet(lua_State* L) {
    const int index = ArgInt(L, 1);
    const float dx = ArgFloat(L, 2);
    const float dy = ArgFloat(L, 3);
    StageObjects* stage = CurrentStage(L);
    if (stage == nullptr) {
        return 0;
    }
    Bullet* bullet = BatchBullet(stage, index);
    if (bullet != nullptr && bullet->CurAction) {
        bullet->CurAction->DX = dx;
        bullet->CurAction->DY = dy;
    }
    return 0;
}

int Stage_GetBullet(lua_State* L) {
    const int index = ArgInt(L, 1);
    StageObjects* stage = CurrentStage(L);
    if (stage == nullptr) {
        return ReturnHandle(L, nullptr);
    }
    Bullet* bullet = BatchBullet(stage, index);
    if (bullet == nullptr) {
        return 0;
    }
    return ReturnHandle(L, bullet);
}

int Stage_SetScreenPos(lua_State* L) {
    const int x = ArgInt(L, 1);
    const int y = ArgInt(L, 2);
    World* game = &EngineOf(L).GetWorld();
    game->ScreenX = x;
    game->ScreenY = y;
    return 0;
}

int Stage_CreateFriend(lua_State* L) {
    return CreateAt<Friend, &StageObjects::CreateFriend>(L);
}

int Stage_GetObjects(lua_State* L) {
    const int type = ArgInt(L, 1);
    StageObjects* stage = CurrentStage(L);
    lua_newtable(L);
    int count = 0;
    if (stage != nullptr) {
        for (const auto& layer : stage->ByZOrder) {
            for (const BaseObject* object : layer.second) {
                if (object != nullptr && object->Alive && object->Type == type) {
                    PushHandle(L, object);
                    lua_rawseti(L, -2, ++count);
                }
            }
        }
    }
    return 1;
}

int Game_GetStageTime(lua_State* L) {
    lua_pushnumber(L, EngineOf(L).GetWorld().StageTime);
    return 1;
}

int Game_SetPause(lua_State* L) {
    EngineOf(L).SetPaused(ArgFlag(L, 1));
    return 0;
}

int Game_GetSaveDir(lua_State* L) {
    const std::string folder = EngineOf(L).SaveFolder();
    lua_pushlstring(L, folder.data(), folder.size());
    return 1;
}

int Game_GetPause(lua_State* L) {
    lua_pushboolean(L, EngineOf(L).Paused() ? 1 : 0);
    return 1;
}

const ExportEntry kEntries[] = {
    {"Game_ActiveStage", ExportedFunction<Game_ActiveStage>},
    {"Game_GetCurStage", ExportedFunction<Game_GetCurStage>},
    {"Game_RemoveCurStage", ExportedFunction<Game_RemoveCurStage>},
    {"Game_SetControlAble", ExportedFunction<Game_SetControlAble>},
    {"Game_GetControlAble", ExportedFunction<Game_GetControlAble>},
    {"Game_Exit", ExportedFunction<Game_Exit>},
    {"Game_GetSystemHandle", ExportedFunction<Game_GetSystemHandle>},
    {"Stage_AddObject", ExportedFunction<Stage_AddObject>},
    {"Stage_GetObject", ExportedFunction<Stage_GetObject>},
    {"Stage_CreateItem", ExportedFunction<Stage_CreateItem>},
    {"Stage_CreateEffect", ExportedFunction<Stage_CreateEffect>},
    {"Stage_CreateBullet", ExportedFunction<Stage_CreateBullet>},
    {"Stage_AdjustBullet", ExportedFunction<Stage_AdjustBullet>},
    {"Stage_GetBullet", ExportedFunction<Stage_GetBullet>},
    {"Stage_SetScreenPos", ExportedFunction<Stage_SetScreenPos>},
    {"Stage_CreateFriend", ExportedFunction<Stage_CreateFriend>},
    {"Stage_GetObjects", ExportedFunction<Stage_GetObjects>},
    {"Game_GetStageTime", ExportedFunction<Game_GetStageTime>},
    {"Game_SetPause", ExportedFunction<Game_SetPause>},
    {"Game_GetPause", ExportedFunction<Game_GetPause>},
    {"Game_GetSaveDir", ExportedFunction<Game_GetSaveDir>},
    {"Key_IsDown", ExportedFunction<Key_IsDown>},
};

}  // namespace

ExportTable GameStageFunctions() {
    return ExportTable{kEntries, static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]))};
}

}  // namespace Velmora
