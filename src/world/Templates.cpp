#include "world/Templates.h"

#include "world/Action.h"
#include "world/BaseObject.h"

namespace Velmora {

Templates::~Templates() = default;

BaseObject* Templates::FindObjectTemplate(const std::string& path) const {
    auto found = ObjectTemplates.find(path);
    return found == ObjectTemplates.end() ? nullptr : found->second.get();
}

void Templates::AddObjectTemplate(const std::string& path, std::shared_ptr<BaseObject> object) {
    ObjectTemplates[path] = std::move(object);
}

Action* Templates::FindActionTemplate(const std::string& path) const {
    auto found = ActionTemplates.find(path);
    return found == ActionTemplates.end() ? nullptr : found->second.get();
}

void Templates::AddActionTemplate(const std::string& path, std::shared_ptr<Action> action) {
    ActionTemplates[path] = std::move(action);
}

}  // namespace Velmora
