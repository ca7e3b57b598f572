#include "game/Engine.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"
#include "world/ScoreBoard.h"

namespace Velmora {

namespace {

// Each reads all of its arguments first and does nothing without a name.

int SoundAdd(lua_State* L) {
    std::string name;
    if (!ArgString(L, 1, name)) {
        return 0;
    }
    EngineOf(L).Sounds().Add(name);
    return 0;
}

int SoundPlay(lua_State* L) {
    std::string name;
    const bool hasName = ArgString(L, 1, name);
    const float volume = ArgFloat(L, 2);
    const bool loop = ArgFlag(L, 3);
    if (!hasName) {
        return 0;
    }
    EngineOf(L).Sounds().Play(name, volume, loop);
    return 0;
}

int SoundStop(lua_State* L) {
    std::string name;
    if (!ArgString(L, 1, name)) {
        return 0;
    }
    EngineOf(L).Sounds().Stop(name);
    return 0;
}

int SoundFadeIn(lua_State* L) {
    std::string name;
    const bool hasName = ArgString(L, 1, name);
    const bool loop = ArgFlag(L, 2);
    if (!hasName) {
        return 0;
    }
    EngineOf(L).Sounds().FadeIn(name, loop);
    return 0;
}

int SoundFadeOut(lua_State* L) {
    std::string name;
    if (!ArgString(L, 1, name)) {
        return 0;
    }
    EngineOf(L).Sounds().FadeOut(name);
    return 0;
}

// The score as the interpreter's integer conversion reads it, clamped so that NaN or
// a huge number cannot reach an undefined conversion.
int ScoreBoardSetScore(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const int score = ArgInt(L, 2);
    auto* board = object != nullptr ? object->AsScoreBoard() : nullptr;
    if (board != nullptr) {
        board->Score = score;
    }
    return 0;
}

const ExportEntry kEntries[] = {
    {"Sound_Add", ExportedFunction<SoundAdd>},
    {"Sound_Play", ExportedFunction<SoundPlay>},
    {"Sound_Stop", ExportedFunction<SoundStop>},
    {"Sound_FadeIn", ExportedFunction<SoundFadeIn>},
    {"Sound_FadeOut", ExportedFunction<SoundFadeOut>},
    {"ScoreBoard_SetScore", ExportedFunction<ScoreBoardSetScore>},
};

}  // namespace

ExportTable SoundScoreFunctions() {
    return ExportTable{kEntries, static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]))};
}

}  // namespace Velmora
