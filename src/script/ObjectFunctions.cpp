#include <cmath>
#include <string>

#include "core/Maths.h"
#include "game/Engine.h"
#include "script/Handles.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"
#include "world/BaseObject.h"
#include "world/Effect.h"
#include "world/Hero.h"
#include "world/Mob.h"
#include "world/Stage.h"

namespace Velmora {

namespace {

constexpr float kPi = 3.14159265358979323846f;

int PushNumber(lua_State* L, double value) {
    lua_pushnumber(L, value);
    return 1;
}

// The hit points of the kinds that have them; null for any other object, or none.
std::int32_t* HitPoints(BaseObject* object) {
    return object != nullptr ? object->HitPoints() : nullptr;
}

// --- position and look ---

int Obj_GetX(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    return object != nullptr ? PushNumber(L, object->X) : 0;
}

int Obj_GetY(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    return object != nullptr ? PushNumber(L, object->Y) : 0;
}

int Obj_SetX(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float x = ArgFloat(L, 2);
    if (object != nullptr) {
        object->X = x;
    }
    return 0;
}

int Obj_SetY(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float y = ArgFloat(L, 2);
    if (object != nullptr) {
        object->Y = y;
    }
    return 0;
}

int Obj_SetScale(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float scale = ArgFloat(L, 2);
    if (object != nullptr) {
        object->Scale = scale;
    }
    return 0;
}

int Obj_SetAlpha(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float alpha = ArgFloat(L, 2);
    if (object != nullptr) {
        object->Alpha = alpha;
    }
    return 0;
}

int Obj_SetAngle(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float angle = ArgFloat(L, 2);
    if (object != nullptr) {
        object->Angle = angle;
    }
    return 0;
}

int Obj_SetRGB(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const float r = ArgFloat(L, 2);
    const float g = ArgFloat(L, 3);
    const float b = ArgFloat(L, 4);
    if (object != nullptr) {
        object->R = r;
        object->G = g;
        object->B = b;
    }
    return 0;
}

// Turns the picture's downward side toward the target.
int Obj_SetDirection(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    BaseObject* target = HandleArg(L, 2);
    if (object == nullptr || target == nullptr) {
        return 0;
    }
    const Vector2 d = Vec2Normalize(Vector2{target->X - object->X, target->Y - object->Y});
    const float s = d.y * 0.0f - d.x * 1.0f;
    const float c = static_cast<float>(std::acos(s));
    const float down = static_cast<float>(std::acos(d.y));
    object->Angle = c < kPi / 2.0f ? down : 2.0f * kPi - down;
    return 0;
}

// Component of the unit vector from the object to the target (NaN on the same spot).
float DirectionComponent(const BaseObject& object, const BaseObject& target, bool wantX) {
    const float dx = target.X - object.X;
    const float dy = target.Y - object.Y;
    const float length = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    return (wantX ? dx : dy) / length;
}

int Obj_GetDirectionX(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    BaseObject* target = HandleArg(L, 2);
    if (object == nullptr || target == nullptr) {
        return 0;
    }
    return PushNumber(L, DirectionComponent(*object, *target, true));
}

int Obj_GetDirectionY(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    BaseObject* target = HandleArg(L, 2);
    if (object == nullptr || target == nullptr) {
        return 0;
    }
    return PushNumber(L, DirectionComponent(*object, *target, false));
}

// --- the current action ---

Action* ActionArg(lua_State* L, int index) {
    BaseObject* object = HandleArg(L, index);
    return object != nullptr ? object->CurAction.get() : nullptr;
}

int Obj_GetDX(lua_State* L) {
    Action* action = ActionArg(L, 1);
    return action != nullptr ? PushNumber(L, action->DX) : 0;
}

int Obj_GetDY(lua_State* L) {
    Action* action = ActionArg(L, 1);
    return action != nullptr ? PushNumber(L, action->DY) : 0;
}

int Obj_SetDX(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const float dx = ArgFloat(L, 2);
    if (action != nullptr) {
        action->DX = dx;
    }
    return 0;
}

int Obj_SetDY(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const float dy = ArgFloat(L, 2);
    if (action != nullptr) {
        action->DY = dy;
    }
    return 0;
}

// Direction clockwise from straight up the screen.
int Obj_SetAngleDXDY(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const int degrees = ArgInt(L, 2);
    if (action == nullptr) {
        return 0;
    }
    const float a = static_cast<float>(degrees / 180.0 * kPi);
    action->DX = static_cast<float>(std::sin(a));
    action->DY = static_cast<float>(-std::cos(a));
    return 0;
}

int Obj_GetSpeed(lua_State* L) {
    Action* action = ActionArg(L, 1);
    return action != nullptr ? PushNumber(L, action->Speed) : 0;
}

int Obj_SetSpeed(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const float speed = ArgFloat(L, 2);
    if (action != nullptr) {
        action->Speed = speed;
    }
    return 0;
}

int Obj_GetStep(lua_State* L) {
    Action* action = ActionArg(L, 1);
    return action != nullptr ? PushNumber(L, action->Step) : 0;
}

int Obj_SetStep(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const int step = ArgInt(L, 2);
    if (action != nullptr) {
        action->Step = step;
    }
    return 0;
}

int Obj_SetBeginTime(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const int ms = ArgInt(L, 2);
    if (action != nullptr) {
        action->SetBeginTime(ms);
    }
    return 0;
}

int Obj_SetActionTime(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const int ms = ArgInt(L, 2);
    if (action != nullptr) {
        action->SetActTime(ms);
    }
    return 0;
}

int Obj_SetIntervalTime(lua_State* L) {
    Action* action = ActionArg(L, 1);
    const int ms = ArgInt(L, 2);
    if (action != nullptr) {
        action->SetIntervalTime(ms);
    }
    return 0;
}

// --- behaviour, life and identity ---

int Obj_SetAction(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string name;
    const bool hasName = ArgString(L, 2, name);
    if (object == nullptr || !hasName) {
        return 0;
    }
    if (CurrentStage(L) == nullptr) {
        PushHandle(L, nullptr);
        return 1;
    }
    object->SetAction(name);
    PushHandle(L, object);
    return 1;
}

int Obj_PlayAni(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string name;
    const bool hasName = ArgString(L, 2, name);
    const bool loop = ArgFlag(L, 3);
    if (object != nullptr && hasName) {
        object->PlayAni(name, loop);
    }
    return 0;
}

int Obj_SetSprite(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string name;
    if (object != nullptr && ArgString(L, 2, name)) {
        object->SetSprite(EngineOf(L).Resources().GetSprite(name));
    }
    return 0;
}

// An unknown font or alignment is a script error: the text would never show, or show
// elsewhere, without a word.
int Obj_SetText(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string font;
    std::string text;
    std::string align = "center";
    const bool hasFont = ArgString(L, 2, font);
    const bool hasText = ArgString(L, 3, text);
    ArgString(L, 4, align);
    if (object == nullptr) {
        return 0;
    }
    if (!hasText || text.empty()) {
        object->Text.clear();
        return 0;
    }
    const Font* found = hasFont ? EngineOf(L).Resources().GetFont(font) : nullptr;
    if (found == nullptr) {
        throw LuaException("Obj_SetText(): no font is declared as '" + font + "'");
    }
    if (align != "left" && align != "center" && align != "right") {
        throw LuaException("Obj_SetText(): the alignment '" + align +
                           "' is none of left, center and right");
    }
    object->TextFont = found;
    object->Text = text;
    object->Align = align == "left"    ? TextAlign::Left
                    : align == "right" ? TextAlign::Right
                                       : TextAlign::Center;
    return 0;
}

int Obj_GetType(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    return object != nullptr ? PushNumber(L, object->Type) : 0;
}

int Obj_StopAni(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    if (object != nullptr) {
        object->StopAni();
    }
    return 0;
}

int Obj_GetHP(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const std::int32_t* hp = HitPoints(object);
    return hp != nullptr ? PushNumber(L, *hp) : 0;
}

int Obj_SetHP(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    const int value = ArgInt(L, 2);
    if (std::int32_t* hp = HitPoints(object)) {
        *hp = value;
    }
    return 0;
}

int Obj_Delete(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    if (object != nullptr) {
        object->Alive = false;
    }
    return 0;
}

int Obj_SetCustom(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string name;
    const bool hasName = ArgString(L, 2, name);
    const int value = ArgInt(L, 3);
    if (object != nullptr && hasName) {
        object->SetCustom(name, value);
    }
    return 0;
}

int Obj_GetCustom(lua_State* L) {
    BaseObject* object = HandleArg(L, 1);
    std::string name;
    const bool hasName = ArgString(L, 2, name);
    if (object == nullptr || !hasName) {
        return 0;
    }
    return PushNumber(L, object->GetCustom(name));
}

int Obj_GetHero(lua_State* L) {
    StageObjects* stage = CurrentStage(L);
    if (stage == nullptr || stage->Heroes.empty() || stage->Heroes.front() == nullptr) {
        return 0;
    }
    PushHandle(L, stage->Heroes.front());
    return 1;
}

int Obj_GetHandle(lua_State* L) {
    std::string key;
    if (!ArgString(L, 1, key)) {
        return 0;
    }
    StageObjects* stage = CurrentStage(L);
    BaseObject* object = stage != nullptr ? stage->GetObject(key) : nullptr;
    if (object == nullptr) {
        return 0;
    }
    PushHandle(L, object);
    return 1;
}

const ExportEntry kEntries[] = {
    {"Obj_SetAction", ExportedFunction<Obj_SetAction>},
    {"Obj_GetX", ExportedFunction<Obj_GetX>},
    {"Obj_GetY", ExportedFunction<Obj_GetY>},
    {"Obj_SetX", ExportedFunction<Obj_SetX>},
    {"Obj_SetY", ExportedFunction<Obj_SetY>},
    {"Obj_GetDX", ExportedFunction<Obj_GetDX>},
    {"Obj_GetDY", ExportedFunction<Obj_GetDY>},
    {"Obj_SetDX", ExportedFunction<Obj_SetDX>},
    {"Obj_SetDY", ExportedFunction<Obj_SetDY>},
    {"Obj_SetScale", ExportedFunction<Obj_SetScale>},
    {"Obj_SetAlpha", ExportedFunction<Obj_SetAlpha>},
    {"Obj_SetAngle", ExportedFunction<Obj_SetAngle>},
    {"Obj_SetRGB", ExportedFunction<Obj_SetRGB>},
    {"Obj_SetDirection", ExportedFunction<Obj_SetDirection>},
    {"Obj_SetAngleDXDY", ExportedFunction<Obj_SetAngleDXDY>},
    {"Obj_GetStep", ExportedFunction<Obj_GetStep>},
    {"Obj_SetStep", ExportedFunction<Obj_SetStep>},
    {"Obj_SetBeginTime", ExportedFunction<Obj_SetBeginTime>},
    {"Obj_SetActionTime", ExportedFunction<Obj_SetActionTime>},
    {"Obj_SetIntervalTime", ExportedFunction<Obj_SetIntervalTime>},
    {"Obj_GetSpeed", ExportedFunction<Obj_GetSpeed>},
    {"Obj_SetSpeed", ExportedFunction<Obj_SetSpeed>},
    {"Obj_GetHP", ExportedFunction<Obj_GetHP>},
    {"Obj_SetHP", ExportedFunction<Obj_SetHP>},
    {"Obj_Delete", ExportedFunction<Obj_Delete>},
    {"Obj_GetHero", ExportedFunction<Obj_GetHero>},
    {"Obj_GetDirectionX", ExportedFunction<Obj_GetDirectionX>},
    {"Obj_GetDirectionY", ExportedFunction<Obj_GetDirectionY>},
    {"Obj_PlayAni", ExportedFunction<Obj_PlayAni>},
    {"Obj_StopAni", ExportedFunction<Obj_StopAni>},
    {"Obj_SetCustom", ExportedFunction<Obj_SetCustom>},
    {"Obj_GetCustom", ExportedFunction<Obj_GetCustom>},
    {"Obj_GetHandle", ExportedFunction<Obj_GetHandle>},
    {"Obj_SetSprite", ExportedFunction<Obj_SetSprite>},
    {"Obj_GetType", ExportedFunction<Obj_GetType>},
    {"Obj_SetText", ExportedFunction<Obj_SetText>},
};

}  // namespace

ExportTable ObjectFunctions() {
    return ExportTable{kEntries, static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]))};
}

}  // namespace Velmora
