#include "world/Item.h"

#include <memory>

#include "script/Handles.h"
#include "script/LuaControl.h"
#include "world/Hero.h"
#include "world/Templates.h"

namespace Velmora {

Item::Item() {
    Type = TypeItem;
}

Item::~Item() = default;

void Item::CopyItem(const Item& source) {
    CopyFrom(source);
    Name = source.Name;
}

void Item::Load(const std::string& path) {
    Templates* cache = Templates::GetInstance();
    if (const auto* stored = dynamic_cast<const Item*>(cache->FindObjectTemplate(path))) {
        CopyItem(*stored);
        return;
    }
    BaseObject::Load(path);
    Name = LuaControl::GetInstance()->GetString("Name", path);
    auto stored = std::make_shared<Item>();
    stored->CopyItem(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

void Item::OnEaten(Hero* hero) {
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile("res/object/item/" + Name + "/Info.lua");
    lua->SelectFunction("OnEaten");
    PushHandle(lua->GetState(), this);
    PushHandle(lua->GetState(), hero);
    lua->CallFunction(2);
}

}  // namespace Velmora
