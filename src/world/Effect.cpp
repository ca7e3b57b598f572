#include "world/Effect.h"

#include <memory>

#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Effect::Effect(World& world) : TemplatedKind(world) {
    Type = TypeEffect;
}

Effect::~Effect() = default;

void Effect::CopySettings(const BaseObject& from) {
    CopyFrom(from);
    const auto& source = static_cast<const Effect&>(from);
    Name = source.Name;
    HP = source.HP;
}

void Effect::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    Name = world_.Scripts().Text(path, "Name");
}

void Effect::OnCreate() {
    // Looked up without the existence check: a missing OnCreate fails in the call.
    world_.Scripts().Call("res/object/effect/" + Name + "/Info.lua", "OnCreate", false, {this});
}

}  // namespace Velmora
