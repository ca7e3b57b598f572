#include "world/StageObjects.h"

#include <algorithm>
#include <memory>

#include "world/BaseObject.h"
#include "world/Bullet.h"
#include "world/Effect.h"
#include "world/Friend.h"
#include "world/Hero.h"
#include "world/Item.h"
#include "world/Mob.h"
#include "world/ScoreBoard.h"
#include "world/World.h"

namespace Velmora {

namespace {

std::string ObjectFile(const std::string& path) {
    return "res/object/" + path + "/Info.lua";
}

// Objects lie in the world's pool in the order they were made, but slots freed by the
// dead are reused, so a pass over thousands of them still waits on memory for many;
// asking for the object a few places ahead (the two lines at its front that hold what
// the passes read) hides some of it.
void Prefetch(const std::vector<BaseObject*>& objects, std::size_t i) {
    constexpr std::size_t kAhead = 6;
    if (i + kAhead < objects.size() && objects[i + kAhead] != nullptr) {
        const char* ahead = reinterpret_cast<const char*>(objects[i + kAhead]);
        __builtin_prefetch(ahead);
        __builtin_prefetch(ahead + 64);
    }
}

template <typename T>
void EraseFrom(std::vector<T*>& list, const BaseObject* object) {
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

}  // namespace

StageObjects::~StageObjects() {
    // Every registered object stands in exactly one layer list, also one that lost its
    // key to a later registration, so the layer lists are what the stage owns.
    for (auto& layer : ByZOrder) {
        for (BaseObject* object : layer.second) {
            world_.Pool().Delete(object);
        }
    }
}

std::string StageObjects::NextKey(const char* prefix) {
    std::string key = prefix + std::to_string(NextSerial);
    ++NextSerial;
    return key;
}

void StageObjects::Register(const std::string& key, BaseObject* object) {
    object->Key = key;
    ByKey[key] = object;
    ByZOrder[object->ZOrder].push_back(object);
}

BaseObject* StageObjects::AddObject(const std::string& key, const std::string& path) {
    const std::string file = ObjectFile(path);
    int type = 0;
    {
        BaseObject scratch(world_);
        scratch.Load(file);
        type = scratch.Type;
    }
    PoolPtr<BaseObject> object;
    switch (type) {
        case TypeHero:
            object = New<Hero>();
            break;
        case TypeMob:
            object = New<Mob>();
            break;
        case TypeItem:
            object = New<Item>();
            break;
        case TypeScoreBoard:
            object = New<ScoreBoard>();
            break;
        default:
            object = New<BaseObject>();
            break;
    }
    object->Load(file);
    return Adopt(std::move(object), key);
}

template <typename Kind>
PoolPtr<Kind> StageObjects::New() {
    ObjectPool& pool = world_.Pool();
    return PoolPtr<Kind>(pool.New<Kind>(world_), PoolDelete{&pool});
}

template <typename Kind>
PoolPtr<Kind> StageObjects::Make(const std::string& file, float x, float y) {
    PoolPtr<Kind> object = New<Kind>();
    object->Load(file);
    object->X = x;
    object->Y = y;
    return object;
}

BaseObject* StageObjects::Adopt(PoolPtr<BaseObject> object, const std::string& key) {
    BaseObject* made = object.release();
    switch (made->ListedIn()) {
        case BaseObject::List::Heroes:
            Heroes.push_back(static_cast<Hero*>(made));
            break;
        case BaseObject::List::Mobs:
            Mobs.push_back(static_cast<Mob*>(made));
            break;
        case BaseObject::List::Items:
            Items.push_back(static_cast<Item*>(made));
            break;
        case BaseObject::List::Friends:
            Friends.push_back(static_cast<Friend*>(made));
            break;
        case BaseObject::List::Bullets:
            Bullets.push_back(static_cast<Bullet*>(made));
            break;
        case BaseObject::List::None:
            break;
    }
    Register(key, made);
    return made;
}

// Each object is loaded before it takes its key: loading runs scripts, which may
// create objects and take keys of their own first.
Item* StageObjects::CreateItem(const std::string& name, float x, float y) {
    PoolPtr<Item> item = Make<Item>(ObjectFile("item/" + name), x, y);
    return static_cast<Item*>(Adopt(std::move(item), NextKey("4_Item")));
}

Effect* StageObjects::CreateEffect(const std::string& name, float x, float y) {
    // Until it is registered the stage does not own the effect: one whose OnCreate
    // fails is destroyed here.
    PoolPtr<Effect> effect = Make<Effect>(ObjectFile("effect/" + name), x, y);
    effect->OnCreate();
    return static_cast<Effect*>(Adopt(std::move(effect), NextKey("3_Effect")));
}

void StageObjects::CreateBullets(const std::string& path, int count, float x, float y) {
    const std::string file = ObjectFile(path);
    Bullets.clear();
    for (int i = 0; i < count; ++i) {
        PoolPtr<Bullet> bullet = Make<Bullet>(file, x, y);
        bullet->BatchIndex = Bullets.size();
        Adopt(std::move(bullet), NextKey("5_Bullet"));
    }
}

Friend* StageObjects::CreateFriend(const std::string& path, float x, float y) {
    PoolPtr<Friend> buddy = Make<Friend>(ObjectFile(path), x, y);
    return static_cast<Friend*>(Adopt(std::move(buddy), NextKey("Friend")));
}

BaseObject* StageObjects::GetObject(const std::string& key) const {
    auto found = ByKey.find(key);
    return found == ByKey.end() ? nullptr : found->second;
}

void StageObjects::Unlist(BaseObject* object) {
    switch (object->ListedIn()) {
        case BaseObject::List::Heroes:
            Heroes.clear();
            break;
        case BaseObject::List::Mobs:
            EraseFrom(Mobs, object);
            break;
        case BaseObject::List::Items:
            EraseFrom(Items, object);
            break;
        case BaseObject::List::Friends:
            EraseFrom(Friends, object);
            break;
        case BaseObject::List::Bullets: {
            // The batch keeps its indices: a removed bullet leaves an empty entry. Found
            // by its index, since a batch may hold a hundred thousand that die together.
            const std::size_t at = static_cast<Bullet*>(object)->BatchIndex;
            if (at < Bullets.size() && Bullets[at] == object) {
                Bullets[at] = nullptr;
            }
            break;
        }
        default:
            break;
    }
    // The key may have been taken over by a later registration; that entry stays.
    auto entry = ByKey.find(object->Key);
    if (entry != ByKey.end() && entry->second == object) {
        ByKey.erase(entry);
    }
}

void StageObjects::Update() {
    // Objects created during the pass are appended to their layer (the walk goes by
    // index and std::map keeps its iterators valid), so those in this layer or a higher
    // one are visited in the same pass.
    for (auto layer = ByZOrder.begin(); layer != ByZOrder.end(); ++layer) {
        std::vector<BaseObject*>& objects = layer->second;
        bool removed = false;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            BaseObject* object = objects[i];
            if (object == nullptr) {
                continue;
            }
            Prefetch(objects, i);
            object->Update();
            if (retired_) {
                return;  // a script replaced this stage; it is destroyed later
            }
            if (!object->Alive) {
                Unlist(object);
                objects[i] = nullptr;
                removed = true;
                world_.Pool().Delete(object);
            }
        }
        if (removed) {
            objects.erase(std::remove(objects.begin(), objects.end(), nullptr), objects.end());
        }
    }
}

void StageObjects::Draw() {
    for (auto& layer : ByZOrder) {
        const std::vector<BaseObject*>& objects = layer.second;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (objects[i] != nullptr) {
                Prefetch(objects, i);
                objects[i]->Draw();
            }
        }
    }
}

}  // namespace Velmora
