#pragma once
// Every key the engine reads from a game's settings tables, by the kind of file that
// sets it, and the callbacks each kind of file must define. The kinds' ReadSettings
// (src/world) and the start-up (Engine, Application) read these keys; a key added
// there belongs here too, or `velmora check` calls it a mistake.
#include <string>
#include <vector>

namespace Velmora {

enum class KeyType { Number, Flag, Text, Table };

struct SettingKey {
    const char* Name;
    KeyType Type;
};

struct FileKind {
    const char* Name;  // as messages name it: "mob", "action", "stage", ...
    // The object kinds: the folder under res/object and the Type that makes the kind;
    // empty and 0 for the other files.
    const char* Folder;
    int Type;
    std::vector<SettingKey> Keys;  // with the keys every object reads, for objects
    // Callbacks the engine calls by name: a file that lacks one gets whichever the
    // file run before it defined.
    std::vector<const char*> Callbacks;
};

// setup.lua's Option table; its Gamepad table names the pad's controls.
const FileKind& SetupFile();
const FileKind& GameStateFile();
const FileKind& StageFile();
const FileKind& ActionFile();
// Objects of res/object/<folder>/: the kind with that folder, or else the one whose
// Type it gives, or else the plain object.
const FileKind& ObjectFile(const std::string& folder, int type);
// The object kinds, in Type order.
const std::vector<FileKind>& ObjectKinds();

// The known name an author most likely meant by key (a slip of case, or of a letter or
// two, or two letters swapped), or "".
std::string NearestKey(const std::string& key, const std::vector<std::string>& known);

}  // namespace Velmora
