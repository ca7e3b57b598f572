#pragma once
// The base of every world object: kind, position, look, collision shape, layer,
// named integers for scripts, the current action, and the stage key.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "world/Action.h"

namespace Velmora {

class Font;
class ScoreBoard;
class SpriteRecord;
enum class TextAlign;
struct Animation;

// Kind codes of Info.Type.
enum ObjectType {
    TypeHero = 1,
    TypeMob = 2,
    TypeBullet = 4,
    TypeItem = 5,
    TypeEffect = 6,
    TypeScoreBoard = 7,
    TypeFriend = 8,
};

class World;

class BaseObject {
public:
    explicit BaseObject(World& world);
    virtual ~BaseObject();
    BaseObject(const BaseObject&) = delete;
    BaseObject& operator=(const BaseObject&) = delete;

    virtual void Update();
    virtual void Draw();
    virtual void OnDamage(int power);
    // Reads the kind's settings from its file, or copies them from the template an
    // earlier load of the same file by the same kind left (a file's every Info read
    // runs the whole file, so it is read once per kind and path).
    void Load(const std::string& file);

    // The kind list of its stage the object's class belongs in (none for effects, score
    // boards and plain objects); it never changes, whatever Type says.
    enum class List { None, Heroes, Mobs, Items, Friends, Bullets };
    virtual List ListedIn() const { return List::None; }
    // The hit points of the kinds that have them; null for the others.
    virtual std::int32_t* HitPoints() { return nullptr; }
    virtual ScoreBoard* AsScoreBoard() { return nullptr; }

    void SetAction(const std::string& name);
    void PlayAni(const std::string& name, bool loop);
    // Shows another picture (null: none) from now on; a playing animation starts over
    // with the new picture's animation of the same name, if it has one.
    void SetSprite(SpriteRecord* sprite);
    void StopAni();
    void SetCustom(const std::string& name, int value);
    int GetCustom(const std::string& name) const;
    bool IsCollide(const BaseObject& other) const;
    void CopyFrom(const BaseObject& source);

    // The number scripts know the object by: given at construction, never given again
    // in this run (so a kept handle cannot reach an object made later at the same
    // address), and never 0, which stands for no object.
    std::uint64_t Serial() const { return serial_; }
    World& GetWorld() const { return world_; }

    // What the update, draw and collision passes read comes first, within the object's
    // first 128 bytes (two cache lines: it starts on one in its world's pool); what they
    // do not read follows. At tens of thousands of objects each further cache line a
    // pass touches per object is a wait on memory.
protected:
    World& world_;

public:
    ActionPtr CurAction;
    float X = 0.0f;
    float Y = 0.0f;
    float Scale = 1.0f;
    float Angle = 0.0f;
    float Alpha = 1.0f;
    float R = 0.0f;
    float G = 0.0f;
    float B = 0.0f;
    float CollisionRadius = 0.0f;
    float EllipseX = 0.0f;
    float EllipseY = 0.0f;
    SpriteRecord* Sprite = nullptr;
    // While Text is not empty the object shows it in TextFont instead of its picture.
    const Font* TextFont = nullptr;
    Animation* CurAni = nullptr;
    float AniTime = 0.0f;
    int AniFrame = 0;
    // The last motion the object was turned toward and the angle it gave: most objects
    // fly straight, so the angle is worked out again only when the motion changes.
    float FacedDX = 0.0f;
    float FacedDY = 0.0f;
    float FacedAngle = 0.0f;
    bool HasFaced = false;
    bool Alive = true;
    bool AniPlaying = false;
    // Bullets and mobs that have it set are turned toward their motion as they are drawn.
    bool AutoDirection = false;
    // A bullet's side: the player's bullets hit mobs, the others heroes and friends.
    bool Positive = false;

private:
    // Whether retiredActions_ holds any, so that the update pass need not look at it.
    bool retiring_ = false;

public:
    int Type = 0;
    int ZOrder = 0;
    std::map<std::string, int> Custom;
    std::string Text;
    TextAlign Align{};
    std::string Key;

protected:
    // This kind's settings from its file: the base reads the keys every kind has, and
    // each kind adds its own.
    virtual void ReadSettings(const std::string& file);
    // Kinds that keep a template return a copy of their settings to keep; copying
    // them back takes a template of exactly this kind.
    virtual std::shared_ptr<BaseObject> CloneSettings() const { return nullptr; }
    virtual void CopySettings(const BaseObject& source) { CopyFrom(source); }

private:
    // Destroys the current action, or keeps it until its running call returns.
    void RetireAction();

    std::vector<ActionPtr> retiredActions_;
    const std::uint64_t serial_;
};

// The kinds whose settings are read once per file and copied from then on.
template <typename Kind>
class TemplatedKind : public BaseObject {
public:
    using BaseObject::BaseObject;

protected:
    std::shared_ptr<BaseObject> CloneSettings() const override {
        auto copy = std::make_shared<Kind>(world_);
        copy->CopySettings(*this);
        return copy;
    }
};

}  // namespace Velmora
