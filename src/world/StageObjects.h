#pragma once
// The container of one level's objects: it creates them from their scripts, keeps
// them under string keys, in layer lists and in kind lists, and owns them until they
// die or the stage ends.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "world/ObjectPool.h"

namespace Velmora {

class BaseObject;
class Bullet;
class Effect;
class Friend;
class Hero;
class Item;
class Mob;
class World;

class StageObjects {
public:
    explicit StageObjects(World& world) : world_(world) {}
    ~StageObjects();
    StageObjects(const StageObjects&) = delete;
    StageObjects& operator=(const StageObjects&) = delete;

    BaseObject* AddObject(const std::string& key, const std::string& path);
    Item* CreateItem(const std::string& name, float x, float y);
    Effect* CreateEffect(const std::string& name, float x, float y);
    void CreateBullets(const std::string& path, int count, float x, float y);
    Friend* CreateFriend(const std::string& path, float x, float y);
    BaseObject* GetObject(const std::string& key) const;
    void Register(const std::string& key, BaseObject* object);

    void Update();
    void Draw();

    // A stage that was replaced or removed while one of its own operations was under
    // way: it is destroyed later, and its update pass stops at once.
    void Retire() { retired_ = true; }
    bool IsRetired() const { return retired_; }

    int NextSerial = 0;
    std::map<std::string, BaseObject*> ByKey;
    // Layers in ZOrder, each in registration order. An object removed during a pass
    // leaves a null entry until the pass has finished that layer.
    std::map<int, std::vector<BaseObject*>> ByZOrder;
    std::vector<Bullet*> Bullets;
    std::vector<Mob*> Mobs;
    std::vector<Hero*> Heroes;
    std::vector<Item*> Items;
    std::vector<Friend*> Friends;

private:
    std::string NextKey(const char* prefix);
    // An object of the kind, loaded from file and placed at (x, y); the stage does not
    // hold it yet.
    // A new object of the kind in the world's pool.
    template <typename Kind>
    PoolPtr<Kind> New();
    template <typename Kind>
    PoolPtr<Kind> Make(const std::string& file, float x, float y);
    // Takes the object into the stage: its kind list, the key registry and its layer.
    BaseObject* Adopt(PoolPtr<BaseObject> object, const std::string& key);
    // Takes a dead object out of its kind list and the key registry (not its layer list).
    void Unlist(BaseObject* object);

    World& world_;
    bool retired_ = false;
};

}  // namespace Velmora
