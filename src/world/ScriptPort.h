#pragma once
// What the world asks of the game's scripts. The world never sees the interpreter: it
// reads a kind's settings as plain numbers and texts and calls callbacks by name with
// objects and numbers; src/script implements this on the Lua host.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace Velmora {

class BaseObject;

// One argument of a callback: an object (passed as its handle) or a number.
struct ScriptArg {
    const BaseObject* Object = nullptr;
    double Number = 0.0;
    bool IsObject = false;
    ScriptArg(const BaseObject* object) : Object(object), IsObject(true) {}  // NOLINT
    ScriptArg(double number) : Number(number) {}                             // NOLINT
};

class ScriptPort {
public:
    virtual ~ScriptPort() = default;

    // Each call runs the file first (scripts may count their runs, and a file's
    // globals are the settings of whichever kind ran last), then reads table.key:
    // 0 when it is absent or not a number. A dotted key reads nested tables.
    virtual float Number(const std::string& path, const std::string& table,
                         const std::string& key) = 0;
    // Info.key as text; "null" when absent.
    virtual std::string Text(const std::string& path, const std::string& key) = 0;

    // Runs path, then calls its global function name with the arguments. A missing
    // function fails with the host's "does not exist" message when required, else in
    // the call itself. Failures throw LuaException (or the engine's own Exception
    // that a script's call into the engine raised).
    virtual void Call(const std::string& path, const std::string& name, bool required,
                      std::initializer_list<ScriptArg> args) = 0;

    // Whether the global name holds a function now, without running any file: for
    // optional callbacks, whose absence must leave a game exactly as it ran before.
    virtual bool Defines(const std::string& name) = 0;

    // Grows each time scripts start or finish running: a script may move any object,
    // so what the world works out from objects' places holds while this stays put.
    virtual std::uint64_t Runs() const = 0;
};

}  // namespace Velmora
