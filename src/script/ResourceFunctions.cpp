#include "game/Engine.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"

namespace Velmora {

namespace {

int Res_AddSprite(lua_State* L) {
    std::string name;
    std::string file;
    const bool hasName = ArgString(L, 1, name);
    const bool hasFile = ArgString(L, 2, file);
    const int width = ArgInt(L, 3);
    const int height = ArgInt(L, 4);
    if (!hasName || !hasFile) {
        return 0;
    }
    EngineOf(L).Resources().AddSprite(name, file, width, height);
    return 0;
}

int Res_AddAniSprite(lua_State* L) {
    std::string name;
    std::string file;
    const bool hasName = ArgString(L, 1, name);
    const bool hasFile = ArgString(L, 2, file);
    const int frameWidth = ArgInt(L, 3);
    const int frameHeight = ArgInt(L, 4);
    const int columns = ArgInt(L, 5);
    const int rows = ArgInt(L, 6);
    if (!hasName || !hasFile) {
        return 0;
    }
    EngineOf(L).Resources().AddAniSprite(name, file, frameWidth, frameHeight, columns, rows);
    return 0;
}

// The animation functions name a sprite that may never have been declared; the
// lookup then remembers the name with no record, and the call has nothing to act on.
int Res_AddAni(lua_State* L) {
    std::string sprite;
    std::string animation;
    std::string frames;
    const bool hasSprite = ArgString(L, 1, sprite);
    const bool hasAnimation = ArgString(L, 2, animation);
    const int count = ArgInt(L, 3);
    const bool hasFrames = ArgString(L, 4, frames);
    if (!hasSprite || !hasAnimation || !hasFrames) {
        return 0;
    }
    SpriteRecord* record = EngineOf(L).Resources().GetSprite(sprite);
    if (record != nullptr) {
        record->AddAnimation(animation, count, frames);
    }
    return 0;
}

int Res_SetDefaultAniSpeed(lua_State* L) {
    std::string sprite;
    std::string animation;
    const bool hasSprite = ArgString(L, 1, sprite);
    const bool hasAnimation = ArgString(L, 2, animation);
    const float speed = ArgFloat(L, 3);
    if (!hasSprite || !hasAnimation) {
        return 0;
    }
    SpriteRecord* record = EngineOf(L).Resources().GetSprite(sprite);
    if (record != nullptr) {
        record->SetDefaultSpeed(animation, speed);
    }
    return 0;
}

int Res_SetFrameAniSpeed(lua_State* L) {
    std::string sprite;
    std::string animation;
    const bool hasSprite = ArgString(L, 1, sprite);
    const bool hasAnimation = ArgString(L, 2, animation);
    const int index = ArgInt(L, 3);
    const float speed = ArgFloat(L, 4);
    if (!hasSprite || !hasAnimation) {
        return 0;
    }
    SpriteRecord* record = EngineOf(L).Resources().GetSprite(sprite);
    if (record != nullptr) {
        record->SetFrameSpeed(animation, index, speed);
    }
    return 0;
}

// A font that cannot be made is a script error naming the file: text that silently
// never shows would leave the author guessing.
int Res_AddFont(lua_State* L) {
    std::string name;
    std::string file;
    const bool hasName = ArgString(L, 1, name);
    const bool hasFile = ArgString(L, 2, file);
    const int size = ArgInt(L, 3);
    std::string error;
    if (hasName && hasFile && !EngineOf(L).Resources().AddFont(name, file, size, &error)) {
        throw LuaException("Res_AddFont(): cannot make the font '" + name + "' from '" + file +
                           "': " + error);
    }
    return 0;
}

int Res_AddBitmapFont(lua_State* L) {
    std::string name;
    std::string file;
    const bool hasName = ArgString(L, 1, name);
    const bool hasFile = ArgString(L, 2, file);
    const int cellWidth = ArgInt(L, 3);
    const int cellHeight = ArgInt(L, 4);
    const int firstChar = ArgInt(L, 5);
    std::string error;
    if (hasName && hasFile &&
        !EngineOf(L).Resources().AddBitmapFont(name, file, cellWidth, cellHeight, firstChar,
                                               &error)) {
        throw LuaException("Res_AddBitmapFont(): cannot make the font '" + name + "' from '" +
                           file + "': " + error);
    }
    return 0;
}

const ExportEntry kEntries[] = {
    {"Res_AddSprite", ExportedFunction<Res_AddSprite>},
    {"Res_AddAniSprite", ExportedFunction<Res_AddAniSprite>},
    {"Res_AddAni", ExportedFunction<Res_AddAni>},
    {"Res_SetDefaultAniSpeed", ExportedFunction<Res_SetDefaultAniSpeed>},
    {"Res_SetFrameAniSpeed", ExportedFunction<Res_SetFrameAniSpeed>},
    {"Res_AddFont", ExportedFunction<Res_AddFont>},
    {"Res_AddBitmapFont", ExportedFunction<Res_AddBitmapFont>},
};

}  // namespace

ExportTable ResourceFunctions() {
    return ExportTable{kEntries, static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]))};
}

}  // namespace Velmora
