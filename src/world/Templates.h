#pragma once
// Loaded templates of object and action scripts by path. Reading a script field runs
// the whole file, so every later load of a path copies its template instead.
#include <map>
#include <memory>
#include <string>

namespace Velmora {

class Action;
class BaseObject;

class Templates {
public:
    Templates() = default;
    ~Templates();
    Templates(const Templates&) = delete;
    Templates& operator=(const Templates&) = delete;

    BaseObject* FindObjectTemplate(const std::string& path) const;
    void AddObjectTemplate(const std::string& path, std::shared_ptr<BaseObject> object);
    Action* FindActionTemplate(const std::string& path) const;
    void AddActionTemplate(const std::string& path, std::shared_ptr<Action> action);

    std::map<std::string, std::shared_ptr<BaseObject>> ObjectTemplates;
    std::map<std::string, std::shared_ptr<Action>> ActionTemplates;
};

}  // namespace Velmora
