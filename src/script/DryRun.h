#pragma once
// A game loaded headless for a look at what it declares and defines, without playing
// it: `velmora check` drives it. It is the real engine on the recording renderer and
// the silent sound system, with its own interpreter; the checker sees only plain
// values, never the interpreter.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Velmora {

class Engine;
class LuaControl;

// A call of an exported function as a script made it: its arguments as text when they
// are strings or numbers, and the file and line it was made from.
struct WatchedCall {
    std::string Function;
    std::vector<std::optional<std::string>> Args;
    std::string File;
    int Line = 0;
};

// One string-keyed entry of a settings table; a table value keeps its own entries.
struct TableEntry {
    enum class Kind { Number, String, Boolean, Table, Other };
    std::string Key;
    Kind Type = Kind::Other;
    double Number = 0.0;
    std::string Text;
    std::vector<TableEntry> Fields;
};

// What running a file left: its settings table and which callbacks it defined.
struct FileLook {
    bool HasTable = false;
    std::vector<TableEntry> Entries;
    std::vector<std::string> Defined;
};

class Inspection {
public:
    // timeoutSeconds bounds every file run and callback (0: never).
    explicit Inspection(double timeoutSeconds);
    ~Inspection();
    Inspection(const Inspection&) = delete;
    Inspection& operator=(const Inspection&) = delete;

    Engine& GetEngine() { return *engine_; }

    // The first syntax error of a Lua file as (line, message), compiled apart from the
    // game; nothing for a file that compiles or cannot be read.
    static std::optional<std::pair<int, std::string>> SyntaxError(const std::string& path);

    // From now on the named global functions are watched: before runs first and
    // decides whether the function itself runs, after runs when it did.
    void Watch(const std::vector<std::string>& names,
               std::function<bool(const WatchedCall&)> before,
               std::function<void(const WatchedCall&)> after);

    // Runs path with the global table and functions cleared first, then reads them
    // back. Script failures throw the engine's exceptions.
    FileLook Look(const std::string& path, const std::string& table,
                  const std::vector<std::string>& functions);

    // Opens the engine's devices for a picture of width x height and runs the game's
    // start-up; then enters a stage. Script failures throw.
    void Start(int width, int height);
    void EnterStage(const std::string& name);

    struct Watcher;

private:
    // The watched functions point at their watchers until the interpreter is gone.
    std::vector<std::unique_ptr<Watcher>> watchers_;
    LuaControl* host_ = nullptr;
    std::unique_ptr<Engine> engine_;
};

}  // namespace Velmora
