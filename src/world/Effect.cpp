#include "world/Effect.h"

#include <memory>

#include "world/ScriptPort.h"
#include "world/Templates.h"
#include "world/World.h"

namespace Velmora {

Effect::Effect(World& world) : BaseObject(world) {
    Type = TypeEffect;
}

Effect::~Effect() = default;

void Effect::CopyEffect(const Effect& source) {
    CopyFrom(source);
    Name = source.Name;
    HP = source.HP;
}

void Effect::Load(const std::string& path) {
    Templates* cache = &world_.KindTemplates();
    if (const auto* stored = dynamic_cast<const Effect*>(cache->FindObjectTemplate(path))) {
        CopyEffect(*stored);
        return;
    }
    BaseObject::Load(path);
    Name = world_.Scripts().Text(path, "Name");
    auto stored = std::make_shared<Effect>(world_);
    stored->CopyEffect(*this);
    cache->AddObjectTemplate(path, std::move(stored));
}

void Effect::OnCreate() {
    // Looked up without the existence check: a missing OnCreate fails in the call.
    world_.Scripts().Call("res/object/effect/" + Name + "/Info.lua", "OnCreate", false, {this});
}

}  // namespace Velmora
