#include "game/CGame.h"
#include "object/BaseObject.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"

namespace Velmora {

namespace {

int Game_Exit(lua_State*) {
    CGame::GetInstance()->ExitRequested = true;
    return 0;
}

int Game_GetSystemHandle(lua_State* L) {
    lua_pushlightuserdata(L, CGame::GetInstance()->SystemObject);
    return 1;
}

int Stage_SetScreenPos(lua_State* L) {
    const int x = ArgInt(L, 1);
    const int y = ArgInt(L, 2);
    CGame* game = CGame::GetInstance();
    game->ScreenX = x;
    game->ScreenY = y;
    return 0;
}

const ExportEntry kEntries[] = {
    {"Game_Exit", ExportedFunction<Game_Exit>},
    {"Game_GetSystemHandle", ExportedFunction<Game_GetSystemHandle>},
    {"Stage_SetScreenPos", ExportedFunction<Stage_SetScreenPos>},
};

}  // namespace

ExportTable GameStageFunctions() {
    return ExportTable{kEntries, static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]))};
}

}  // namespace Velmora
