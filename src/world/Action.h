#pragma once
// An object's scripted movement and timing: a direction and speed, and three moments
// on the stage clock at which it calls its script (OnBegin, OnAction, OnInterval).
#include <memory>
#include <string>

namespace Velmora {

class Action;
class BaseObject;
class World;

// Every action an object runs lives in its world's pool (world/ObjectPool): made by
// MakeAction and given back by this.
struct ActionDelete {
    void operator()(Action* action) const noexcept;
};
using ActionPtr = std::unique_ptr<Action, ActionDelete>;
ActionPtr MakeAction(World& world, std::string name = std::string());
ActionPtr MakeAction(const Action& source);

class Action {
public:
    explicit Action(World& world, std::string name = std::string());
    ~Action() = default;
    Action(const Action&) = default;
    Action& operator=(const Action&) = default;

    void Update();
    void Load();

    void SetBeginTime(int ms);
    void SetActTime(int ms);
    void SetIntervalTime(int ms);

    std::string ScriptPath() const { return "res/action/" + Name + "/Info.lua"; }

    // A script may replace the owner's action from one of this action's callbacks or
    // while it loads. The owner then keeps the replaced action alive until the call
    // returns, and the replaced action must not go on with its work.
    bool IsBusy() const { return state_.Busy > 0; }
    bool IsRetired() const { return state_.Retired; }
    void MarkRetired() { state_.Retired = true; }

private:
    // The update pass reads the first cache line only; the name is needed for calls.
    World* world_;

public:
    float X = 0.0f;
    float Y = 0.0f;
    float DX = 0.0f;
    float DY = 0.0f;
    float Speed = 1.0f;
    float BeginTime = 0.001f;
    float ActTime = 0.0f;
    float Interval = 0.0f;
    float IntervalSum = 0.0f;
    float IntervalBase = 0.0f;
    bool Begun = false;
    bool Acted = false;
    int Step = 1;
    BaseObject* Owner = nullptr;

private:
    friend class BusyScope;
    // Bookkeeping of one particular action; templates and copies never carry it over.
    struct RunState {
        int Busy = 0;
        bool Retired = false;
        RunState() = default;
        RunState(const RunState&) {}
        RunState& operator=(const RunState&) { return *this; }
    };

    friend struct ActionDelete;
    friend ActionPtr MakeAction(const Action& source);
    void CallScript(const char* function);

    RunState state_;

public:
    std::string Name;
};

// Marks an action busy (a callback or a load of it is under way) for a scope.
class BusyScope {
public:
    explicit BusyScope(Action& action) : action_(action) { ++action_.state_.Busy; }
    ~BusyScope() { --action_.state_.Busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Action& action_;
};

}  // namespace Velmora
