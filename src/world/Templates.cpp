#include "game/ObjectCache.h"

#include "object/Action.h"
#include "object/BaseObject.h"

namespace Velmora {

ObjectCache::~ObjectCache() = default;

BaseObject* ObjectCache::FindObjectTemplate(const std::string& path) const {
    auto found = ObjectTemplates.find(path);
    return found == ObjectTemplates.end() ? nullptr : found->second.get();
}

void ObjectCache::AddObjectTemplate(const std::string& path, std::shared_ptr<BaseObject> object) {
    ObjectTemplates[path] = std::move(object);
}

Action* ObjectCache::FindActionTemplate(const std::string& path) const {
    auto found = ActionTemplates.find(path);
    return found == ActionTemplates.end() ? nullptr : found->second.get();
}

void ObjectCache::AddActionTemplate(const std::string& path, std::shared_ptr<Action> action) {
    ActionTemplates[path] = std::move(action);
}

}  // namespace Velmora
