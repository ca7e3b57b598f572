#pragma once
// An object's scripted movement and timing: a direction and speed, and three moments
// on the stage clock at which it calls its script (OnBegin, OnAction, OnInterval).
#include <string>

namespace Velmora {

class BaseObject;

class Action {
public:
    explicit Action(std::string name = std::string());
    virtual ~Action() = default;
    Action(const Action&) = default;
    Action& operator=(const Action&) = default;

    virtual void Update();
    virtual void Reserved() {}
    virtual void Load();

    void SetBeginTime(int ms);
    void SetActTime(int ms);
    void SetIntervalTime(int ms);

    std::string ScriptPath() const { return "res/action/" + Name + "/Info.lua"; }

    float X = 0.0f;
    float Y = 0.0f;
    float DX = 0.0f;
    float DY = 0.0f;
    float Speed = 1.0f;
    float BeginTime = 0.001f;
    float ActTime = 0.0f;
    float Interval = 0.0f;
    float IntervalSum = 0.0f;
    bool Begun = false;
    bool Acted = false;
    int Step = 1;
    std::string Name;
    float IntervalBase = 0.0f;
    BaseObject* Owner = nullptr;
};

}  // namespace Velmora
