#include "world/Item.h"

#include <memory>

#include "world/Hero.h"
#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Item::Item(World& world) : TemplatedKind(world) {
    Type = TypeItem;
}

Item::~Item() = default;

void Item::CopySettings(const BaseObject& from) {
    CopyFrom(from);
    const auto& source = static_cast<const Item&>(from);
    Name = source.Name;
}

void Item::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    Name = world_.Scripts().Text(path, "Name");
}

void Item::OnEaten(Hero* hero) {
    world_.Scripts().Call("res/object/item/" + Name + "/Info.lua", "OnEaten", true, {this, hero});
}

}  // namespace Velmora
