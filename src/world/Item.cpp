#include "world/Item.h"

#include <memory>

#include "world/Hero.h"
#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Item::Item(World& world) : BaseObject(world) {
    Type = TypeItem;
}

Item::~Item() = default;

void Item::CopyItem(const Item& source) {
    CopyFrom(source);
    Name = source.Name;
}

void Item::Load(const std::string& path) {
    Templates* cache = &world_.KindTemplates();
    if (const auto* stored = dynamic_cast<const Item*>(cache->FindObjectTemplate(path))) {
        CopyItem(*stored);
        return;
    }
    BaseObject::Load(path);
    Name = world_.Scripts().Text(path, "Name");
    auto stored = std::make_shared<Item>(world_);
    stored->CopyItem(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

void Item::OnEaten(Hero* hero) {
    world_.Scripts().Call("res/object/item/" + Name + "/Info.lua", "OnEaten", true, {this, hero});
}

}  // namespace Velmora
