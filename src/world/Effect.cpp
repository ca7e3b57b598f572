#include "world/Effect.h"

#include <memory>

#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/Templates.h"

namespace Velmora {

Effect::Effect() {
    Type = TypeEffect;
}

Effect::~Effect() = default;

void Effect::CopyEffect(const Effect& source) {
    CopyFrom(source);
    Name = source.Name;
    HP = source.HP;
}

void Effect::Load(const std::string& path) {
    Templates* cache = Templates::GetInstance();
    if (const auto* stored = dynamic_cast<const Effect*>(cache->FindObjectTemplate(path))) {
        CopyEffect(*stored);
        return;
    }
    BaseObject::Load(path);
    Name = LuaControl::GetInstance()->GetString("Name", path);
    auto stored = std::make_shared<Effect>();
    stored->CopyEffect(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

void Effect::OnCreate() {
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/object/effect/" + Name + "/Info.lua");
    // Looked up without the existence check: a missing OnCreate fails in the call.
    lua->PushGlobal("OnCreate");
    PushHandle(lua->GetState(), this);
    lua->CallFunction(1);
}

}  // namespace Velmora
