#include "app/Check.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/Error.h"
#include "core/Numbers.h"
#include "game/Engine.h"
#include "game/SettingKeys.h"
#include "platform/Gamepad.h"
#include "platform/ImageFile.h"
#include "script/DryRun.h"

namespace Velmora {

namespace {

namespace fs = std::filesystem;

struct Finding {
    std::string File;
    int Line = 0;
    bool Error = false;
    std::string Text;
    bool operator<(const Finding& o) const {
        return std::tie(File, Line, Text) < std::tie(o.File, o.Line, o.Text);
    }
    bool operator==(const Finding& o) const {
        return File == o.File && Line == o.Line && Text == o.Text;
    }
};

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Whether text[at] follows "name" with an assignment ("name =" but not "name ==").
bool AssignedAt(const std::string& text, std::size_t at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at < text.size() && text[at] == '=' && (at + 1 >= text.size() || text[at + 1] != '=');
}

// Every place name stands as a whole word in text: (offset, assigned there).
std::vector<std::pair<std::size_t, bool>> WordsIn(const std::string& text,
                                                  const std::string& name) {
    std::vector<std::pair<std::size_t, bool>> found;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at > 0 && IsWordChar(text[at - 1])) || (end < text.size() && IsWordChar(text[end]))) {
            continue;
        }
        // A word after "--" on its line is in a comment (a string holding "--" before it
        // is rare enough to miss).
        const std::size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
        const std::size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
        if (text.find("--", lineStart) < at) {
            continue;
        }
        // ["name"] = ... counts as the word too.
        std::size_t after = end;
        if (at > 0 && (text[at - 1] == '"' || text[at - 1] == '\'') && end + 1 < text.size() &&
            text[end] == text[at - 1] && text[end + 1] == ']') {
            after = end + 2;
        }
        found.emplace_back(at, AssignedAt(text, after));
    }
    return found;
}

int LineOf(const std::string& text, std::size_t offset) {
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

class Checker {
public:
    explicit Checker(double timeout) : inspection_(timeout) {}
    int Run();

private:
    // Runs the game's start-up and stages and looks at every file, collecting the
    // findings.
    void Load();
    void Report(const std::string& file, int line, bool error, const std::string& text) {
        findings_.push_back(Finding{file, line, error, text});
    }
    // A script failure: placed at the script position its message names, else at
    // file; the engine's own prefixes left out.
    void ReportFailure(const std::string& file, const std::string& during, const Exception& e);
    void CollectFiles();
    std::optional<FileLook> LookAt(const std::string& path, const std::string& table,
                                   const std::vector<const char*>& callbacks);
    int KeyLine(const std::string& path, const std::string& key);
    bool ReadByScripts(const std::string& key);
    // Whether a picture of that name exists now (the engine remembers unknown names
    // it was asked for with no record).
    bool Declared(const std::string& sprite) {
        const auto& sprites = inspection_.GetEngine().Resources().Sprites;
        const auto found = sprites.find(sprite);
        return found != sprites.end() && found->second != nullptr;
    }
    void CheckKeys(const std::string& path, const std::string& what, const FileKind& kind,
                   const std::vector<TableEntry>& entries);
    void CheckCallbacks(const std::string& path, const FileKind& kind, const FileLook& look);
    void CheckSetup(int* width, int* height);
    void CheckObject(const std::string& path);
    void CheckAction(const std::string& path);
    void WatchDeclarations();
    bool CheckPicture(const WatchedCall& call);
    void CheckAnimation(const WatchedCall& call);

    Inspection inspection_;
    std::vector<Finding> findings_;
    std::vector<std::string> scripts_;  // every .lua of the game
    std::map<std::string, std::string> texts_;
    std::set<std::string> broken_;  // files with a syntax error
    std::map<std::string, bool> readByScripts_;
    // The loading calls in progress, innermost last (see WatchDeclarations).
    std::vector<std::pair<std::string, int>> loading_;
    // Whether OnGameCreate ran to its end: only then are the game's pictures known.
    bool started_ = false;
};

const TableEntry* Find(const std::vector<TableEntry>& entries, const std::string& key) {
    for (const TableEntry& entry : entries) {
        if (entry.Key == key)
            return &entry;
    }
    return nullptr;
}

// A setting as the engine reads it: numbers, and strings that read as numbers.
double NumberOf(const TableEntry* entry) {
    double value = 0.0;
    if (entry == nullptr)
        return 0.0;
    if (entry->Type == TableEntry::Kind::Number)
        return entry->Number;
    if (entry->Type == TableEntry::Kind::String && ParseDouble(entry->Text, value))
        return value;
    return 0.0;
}

std::string WithArticle(const std::string& noun) {
    return (std::string("aeiou").find(noun[0]) != std::string::npos ? "an " : "a ") + noun;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string NumberText(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

void Checker::ReportFailure(const std::string& file, const std::string& during,
                            const Exception& e) {
    std::string message = e.GetMessageText();
    std::string where = file;
    int line = 0;
    // The first "path.lua:N: " in the message is where the script failed.
    for (std::size_t at = message.find(".lua:"); at != std::string::npos;
         at = message.find(".lua:", at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && message[begin - 1] != ' ' && message[begin - 1] != '\'')
            --begin;
        std::size_t digits = at + 5;
        std::size_t end = digits;
        while (end < message.size() && std::isdigit(static_cast<unsigned char>(message[end]))) {
            ++end;
        }
        if (end > digits && message.compare(end, 2, ": ") == 0) {
            where = message.substr(begin, at + 4 - begin);
            line = std::atoi(message.c_str() + digits);
            message = message.substr(end + 2);
            if (!message.empty() && message.back() == '\'')
                message.pop_back();
            break;
        }
    }
    if (line == 0 && !loading_.empty() && !loading_.back().first.empty()) {
        where = loading_.back().first;
        line = loading_.back().second;
    }
    loading_.clear();
    // The host's own prefixes name its steps, which mean nothing to an author.
    const std::string quoted = "ErrorMessage from Lua: '";
    if (message.find(quoted) != std::string::npos) {
        message = message.substr(message.find(quoted) + quoted.size());
        if (!message.empty() && message.back() == '\'')
            message.pop_back();
    }
    while (message.rfind("LuaControl::", 0) == 0 && message.find("(): ") != std::string::npos) {
        message = message.substr(message.find("(): ") + 4);
    }
    // One finding, one line: a traceback or a multi-line error text keeps its first.
    message = message.substr(0, message.find('\n'));
    if (broken_.count(where) != 0 || message.find("does not exist.") != std::string::npos) {
        return;  // the syntax error, or the missing callback, is reported on its own
    }
    Report(where, line, true, during + ": " + message);
}

void Checker::CollectFiles() {
    std::error_code ec;
    if (fs::is_regular_file("setup.lua", ec))
        scripts_.push_back("setup.lua");
    for (fs::recursive_directory_iterator it("res", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->path().extension() == ".lua" && it->is_regular_file(typeError)) {
            scripts_.push_back(it->path().generic_string());
        }
    }
    std::sort(scripts_.begin(), scripts_.end());
    for (const std::string& path : scripts_) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        texts_[path] = text.str();
        if (const auto error = Inspection::SyntaxError(path)) {
            broken_.insert(path);
            Report(path, error->first, true, error->second);
        }
    }
}

std::optional<FileLook> Checker::LookAt(const std::string& path, const std::string& table,
                                        const std::vector<const char*>& callbacks) {
    if (broken_.count(path) != 0)
        return std::nullopt;
    try {
        return inspection_.Look(path, table,
                                std::vector<std::string>(callbacks.begin(), callbacks.end()));
    } catch (const Exception& e) {
        ReportFailure(path, "running the file", e);
    }
    return std::nullopt;
}

int Checker::KeyLine(const std::string& path, const std::string& key) {
    const std::string& text = texts_[path];
    for (const auto& [offset, assigned] : WordsIn(text, key)) {
        if (assigned)
            return LineOf(text, offset);
    }
    return 0;
}

// A key the engine does not read may be the game's own (the scripts read it as
// Info.Key); it is a mistake when no script ever mentions it but to set it.
bool Checker::ReadByScripts(const std::string& key) {
    auto known = readByScripts_.find(key);
    if (known != readByScripts_.end())
        return known->second;
    bool read = false;
    for (const auto& [path, text] : texts_) {
        for (const auto& place : WordsIn(text, key)) {
            read = read || !place.second;
        }
    }
    readByScripts_[key] = read;
    return read;
}

void Checker::CheckKeys(const std::string& path, const std::string& what, const FileKind& kind,
                        const std::vector<TableEntry>& entries) {
    std::vector<std::string> names;
    for (const SettingKey& key : kind.Keys)
        names.emplace_back(key.Name);
    for (const TableEntry& entry : entries) {
        const int line = KeyLine(path, entry.Key);
        const auto known = std::find_if(kind.Keys.begin(), kind.Keys.end(),
                                        [&](const SettingKey& k) { return entry.Key == k.Name; });
        if (known == kind.Keys.end()) {
            const std::string guess = NearestKey(entry.Key, names);
            if (!guess.empty()) {
                Report(path, line, false,
                       "unknown key " + Quoted(entry.Key) + " in " + what + "; did you mean " +
                           Quoted(guess) + "?");
            } else if (!ReadByScripts(entry.Key)) {
                Report(path, line, false,
                       "unknown key " + Quoted(entry.Key) + " in " + what +
                           ": neither the engine nor a script reads it");
            }
            continue;
        }
        if (entry.Type == TableEntry::Kind::Boolean &&
            (known->Type == KeyType::Number || known->Type == KeyType::Flag)) {
            Report(path, line, false,
                   Quoted(entry.Key) + " is a boolean, which the engine reads as 0: write " +
                       (known->Type == KeyType::Flag ? "1 or 0" : "a number"));
        }
    }
}

void Checker::CheckCallbacks(const std::string& path, const FileKind& kind, const FileLook& look) {
    for (const char* callback : kind.Callbacks) {
        if (std::find(look.Defined.begin(), look.Defined.end(), callback) == look.Defined.end()) {
            Report(path, 0, true,
                   std::string("defines no ") + callback + ": the " + kind.Name +
                       " would run the " + callback + " of whichever file ran before it");
        }
    }
}

void Checker::CheckSetup(int* width, int* height) {
    const std::string path = "setup.lua";
    if (texts_.count(path) == 0) {
        Report(path, 0, true, "no setup.lua: the game cannot start");
        return;
    }
    const auto look = LookAt(path, "Option", {});
    if (!look)
        return;
    if (!look->HasTable) {
        Report(path, 0, true, "setup.lua sets no Option table");
        return;
    }
    CheckKeys(path, "Option", SetupFile(), look->Entries);
    const std::pair<const char*, int*> sizes[] = {{"ScreenWidth", width}, {"ScreenHeight", height}};
    for (const auto& [key, size] : sizes) {
        *size = TruncateToInt(NumberOf(Find(look->Entries, key)));
        if (*size <= 0) {
            Report(path, KeyLine(path, key), true,
                   std::string("Option.") + key + " must be above 0 (it reads as " +
                       std::to_string(*size) + ")");
        }
    }
    if (const TableEntry* pad = Find(look->Entries, "Gamepad")) {
        std::vector<std::string> controls;
        for (int c = 0; c < Platform::kPadControls; ++c) {
            controls.emplace_back(Platform::PadControlName(static_cast<Platform::PadControl>(c)));
        }
        for (const TableEntry& field : pad->Fields) {
            if (std::find(controls.begin(), controls.end(), field.Key) == controls.end()) {
                const std::string guess = NearestKey(field.Key, controls);
                Report(path, KeyLine(path, field.Key), false,
                       "unknown gamepad control " + Quoted(field.Key) +
                           (guess.empty() ? "" : "; did you mean " + Quoted(guess) + "?"));
            }
        }
    }
}

void Checker::CheckObject(const std::string& path) {
    // res/object/<folder>/.../<name>/Info.lua
    const fs::path file(path);
    const std::string name = file.parent_path().filename().string();
    const std::string folder = (*std::next(file.begin(), 2)).string();
    std::vector<const char*> every;
    for (const FileKind& kind : ObjectKinds()) {
        for (const char* callback : kind.Callbacks)
            every.push_back(callback);
    }
    const auto look = LookAt(path, "Info", every);
    if (!look)
        return;
    const int type = TruncateToInt(NumberOf(Find(look->Entries, "Type")));
    const FileKind& kind = ObjectFile(folder, type);
    const std::string what = WithArticle(kind.Name) + "'s Info";
    CheckKeys(path, what, kind, look->Entries);
    CheckCallbacks(path, kind, *look);
    if (!look->HasTable) {
        Report(path, 0, true,
               "no Info table: the " + std::string(kind.Name) + " reads 0 for every key");
        return;
    }
    if (folder == kind.Folder && type != kind.Type) {
        // Stage_AddObject makes heroes, mobs, items and boards by Type alone.
        const bool decides = kind.Type == 1 || kind.Type == 2 || kind.Type == 5 || kind.Type == 7;
        Report(path, KeyLine(path, "Type"), decides,
               "Type is " + std::to_string(type) + ", but " + WithArticle(kind.Name) + " is Type " +
                   std::to_string(kind.Type));
    }
    const bool named = std::any_of(kind.Keys.begin(), kind.Keys.end(), [](const SettingKey& k) {
        return std::string(k.Name) == "Name";
    });
    const TableEntry* nameEntry = Find(look->Entries, "Name");
    const std::string given = nameEntry != nullptr && nameEntry->Type == TableEntry::Kind::String
                                  ? nameEntry->Text
                              : nameEntry != nullptr && nameEntry->Type == TableEntry::Kind::Number
                                  ? NumberText(nameEntry->Number)
                                  : "null";
    if (named && folder == kind.Folder && given != name) {
        Report(path, KeyLine(path, "Name"), true,
               "Name is " + Quoted(given) + " but the folder is " + Quoted(name) +
                   ": the engine finds the " + kind.Name + "'s callbacks by Name");
    }
    // Targets are hit only with a hit area; a mover's may be 0.
    const bool target = kind.Type == 1 || kind.Type == 2 || kind.Type == 5 || kind.Type == 8;
    for (const char* key : {"CollisionRadius", "EllipseX", "EllipseY"}) {
        if (NumberOf(Find(look->Entries, key)) < 0) {
            Report(path, KeyLine(path, key), true, std::string(key) + " must not be below 0");
        }
    }
    if (target && !(NumberOf(Find(look->Entries, "CollisionRadius")) > 0)) {
        Report(path, KeyLine(path, "CollisionRadius"), false,
               std::string("CollisionRadius is 0 or missing: this ") + kind.Name +
                   " is never hit or touched");
    }
    const TableEntry* sprite = Find(look->Entries, "Sprite");
    if (started_ && sprite != nullptr && sprite->Type == TableEntry::Kind::String &&
        !Declared(sprite->Text)) {
        Report(path, KeyLine(path, "Sprite"), false,
               "Sprite " + Quoted(sprite->Text) +
                   " is never declared (Res_AddSprite, Res_AddAniSprite): nothing is drawn");
    }
}

void Checker::CheckAction(const std::string& path) {
    const auto look = LookAt(path, "Info", ActionFile().Callbacks);
    if (!look)
        return;
    CheckKeys(path, "an action's Info", ActionFile(), look->Entries);
    CheckCallbacks(path, ActionFile(), *look);
    for (const char* key : {"BeginTime", "ActTime", "Interval"}) {
        const int time = TruncateToInt(NumberOf(Find(look->Entries, key)));
        if (time < 0) {
            Report(path, KeyLine(path, key), true,
                   std::string(key) + " is " + std::to_string(time) +
                       ": times are milliseconds, 0 or more");
        }
    }
}

long long ArgNumber(const WatchedCall& call, std::size_t i) {
    if (i >= call.Args.size() || !call.Args[i])
        return 0;
    double value = 0.0;
    return ParseDouble(*call.Args[i], value) ? TruncateToInt(value) : 0;
}

bool Checker::CheckPicture(const WatchedCall& call) {
    if (call.Args.size() < 2 || !call.Args[0] || !call.Args[1])
        return true;
    const std::string& name = *call.Args[0];
    const std::string& file = *call.Args[1];
    const std::string head = call.Function + "(" + Quoted(name) + "): ";
    const bool grid = call.Function == "Res_AddAniSprite";
    const long long w = ArgNumber(call, 2);
    const long long h = ArgNumber(call, 3);
    const long long columns = grid ? ArgNumber(call, 4) : 1;
    const long long rows = grid ? ArgNumber(call, 5) : 1;
    if (w <= 0 || h <= 0) {
        Report(call.File, call.Line, true,
               head + (grid ? "cell" : "picture") + " size " + std::to_string(w) + " x " +
                   std::to_string(h) + " must be above 0");
    }
    if (columns <= 0 || rows <= 0) {
        Report(call.File, call.Line, true,
               head + "the grid of " + std::to_string(columns) + " x " + std::to_string(rows) +
                   " cells must have at least one column and row");
    }
    std::error_code ec;
    int width = 0;
    int height = 0;
    if (!fs::is_regular_file(file, ec)) {
        Report(call.File, call.Line, true, head + "picture file " + Quoted(file) + " not found");
    } else if (!Platform::ReadImageSize(file, &width, &height)) {
        Report(call.File, call.Line, true,
               head + "picture file " + Quoted(file) + " cannot be read as a picture");
    } else if (grid && w > 0 && h > 0 && (w * columns > width || h * rows > height)) {
        Report(call.File, call.Line, true,
               head + std::to_string(columns) + " x " + std::to_string(rows) + " cells of " +
                   std::to_string(w) + " x " + std::to_string(h) + " need " +
                   std::to_string(w * columns) + " x " + std::to_string(h * rows) +
                   " pixels, but " + Quoted(file) + " is " + std::to_string(width) + " x " +
                   std::to_string(height));
    }
    return true;
}

void Checker::CheckAnimation(const WatchedCall& call) {
    if (call.Args.size() < 4 || !call.Args[0] || !call.Args[1] || !call.Args[3])
        return;
    const std::string& sprite = *call.Args[0];
    const std::string& name = *call.Args[1];
    const std::string head = "Res_AddAni(" + Quoted(sprite) + ", " + Quoted(name) + "): ";
    ResourceMgr& resources = inspection_.GetEngine().Resources();
    if (!Declared(sprite)) {
        Report(call.File, call.Line, false, head + "the picture is not declared yet: ignored");
        return;
    }
    SpriteRecord& picture = *resources.Sprites[sprite];
    const Animation* animation = picture.GetAnimation(name);
    const long long cells = static_cast<long long>(picture.Columns) * picture.Rows;
    std::vector<int> read;
    for (const AnimationFrame& frame : animation->Frames)
        read.push_back(frame.Cell);
    for (int cell : read) {
        if (cell < 0 || cell >= cells) {
            Report(call.File, call.Line, true,
                   head + "cell " + std::to_string(cell) + " is outside the grid of " +
                       std::to_string(picture.Columns) + " x " + std::to_string(picture.Rows) +
                       " cells (0 to " + std::to_string(cells - 1) + ")");
            break;
        }
    }
    // The frame list is read a number and one separator at a time: what an author
    // writes and what the engine reads part at a blank after a comma or a leading 0.
    std::vector<int> written;
    const std::string& frames = *call.Args[3];
    for (std::size_t at = 0; at < frames.size();) {
        if (std::isdigit(static_cast<unsigned char>(frames[at])) != 0) {
            std::size_t end = at;
            while (end < frames.size() && std::isdigit(static_cast<unsigned char>(frames[end])))
                ++end;
            written.push_back(
                std::atoi(frames.substr(at, std::min<std::size_t>(end - at, 9)).c_str()));
            at = end;
        } else {
            ++at;
        }
    }
    const long long count = ArgNumber(call, 2);
    if (count >= 0 && static_cast<std::size_t>(count) < written.size()) {
        written.resize(static_cast<std::size_t>(count));
    }
    if (written != read) {
        std::string cellsRead;
        for (int cell : read)
            cellsRead += (cellsRead.empty() ? "" : ", ") + std::to_string(cell);
        Report(call.File, call.Line, false,
               head + "the frame list " + Quoted(frames) + " reads as the cells " +
                   (cellsRead.empty() ? "(none)" : cellsRead) +
                   ": write numbers with one separator each, no blanks or leading zeros");
    }
}

void Checker::WatchDeclarations() {
    inspection_.Watch(
        {"Res_AddSprite", "Res_AddAniSprite"},
        [this](const WatchedCall& call) { return CheckPicture(call); }, [](const WatchedCall&) {});
    // Calls that load a file: when one fails without naming a script line, the line
    // of the innermost one still running is where the game asked for the file.
    inspection_.Watch(
        {"Game_ActiveStage", "Stage_AddObject", "Stage_CreateItem", "Stage_CreateEffect",
         "Stage_CreateBullet", "Stage_CreateFriend", "Obj_SetAction"},
        [this](const WatchedCall& call) {
            loading_.emplace_back(call.File, call.Line);
            return true;
        },
        [this](const WatchedCall&) {
            // A script's pcall may have caught a failed call, whose entry is still here.
            if (!loading_.empty())
                loading_.pop_back();
        });
    inspection_.Watch(
        {"Res_AddAni"}, [](const WatchedCall&) { return true; },
        [this](const WatchedCall& call) { CheckAnimation(call); });
    // A missing sound fails the rest of the start-up; it is reported here instead.
    inspection_.Watch(
        {"Sound_Add"},
        [this](const WatchedCall& call) {
            if (call.Args.empty() || !call.Args[0])
                return true;
            const std::string file = "res/sound/" + *call.Args[0];
            std::error_code ec;
            if (fs::is_regular_file(file, ec))
                return true;
            Report(call.File, call.Line, true,
                   "Sound_Add: sound file " + Quoted(file) + " not found");
            return false;
        },
        [](const WatchedCall&) {});
}

void Checker::Load() {
    CollectFiles();
    WatchDeclarations();
    int width = 0;
    int height = 0;
    CheckSetup(&width, &height);

    const std::string game = "res/script/GameState.lua";
    if (texts_.count(game) == 0) {
        Report(game, 0, true, "no res/script/GameState.lua: the game cannot start");
    } else if (broken_.count(game) == 0) {
        try {
            inspection_.Start(width > 0 ? width : 450, height > 0 ? height : 600);
            started_ = true;
        } catch (const Exception& e) {
            ReportFailure(game, "start-up (OnGameCreate)", e);
        }
    }
    std::vector<std::string> stages;
    for (const std::string& path : scripts_) {
        const fs::path file(path);
        const auto parts = std::distance(file.begin(), file.end());
        if (parts == 4 && path.rfind("res/stage/", 0) == 0 && file.filename() == "Info.lua") {
            stages.push_back(path);
        }
    }
    // Entering every stage declares what the stages declare, for the checks below.
    for (const std::string& path : stages) {
        if (broken_.count(path) != 0)
            continue;
        const std::string name = fs::path(path).parent_path().filename().string();
        try {
            inspection_.EnterStage(name);
        } catch (const Exception& e) {
            ReportFailure(path, "entering stage " + Quoted(name), e);
        }
    }

    if (texts_.count(game) != 0) {
        if (const auto look = LookAt(game, "Info", GameStateFile().Callbacks)) {
            CheckCallbacks(game, GameStateFile(), *look);
        }
    }
    for (const std::string& path : stages) {
        if (const auto look = LookAt(path, "Info", StageFile().Callbacks)) {
            CheckKeys(path, "a stage's Info", StageFile(), look->Entries);
            CheckCallbacks(path, StageFile(), *look);
        }
    }
    for (const std::string& path : scripts_) {
        const fs::path file(path);
        const auto parts = std::distance(file.begin(), file.end());
        if (file.filename() != "Info.lua")
            continue;
        if (parts >= 5 && path.rfind("res/object/", 0) == 0) {
            CheckObject(path);
        } else if (parts == 4 && path.rfind("res/action/", 0) == 0) {
            CheckAction(path);
        }
    }
}

int Checker::Run() {
    // What the scripts print while the game loads would mix with the findings, and a
    // script that reads the terminal would wait for ever.
    std::fflush(stdout);
    const int out = dup(1);
    const int null = open("/dev/null", O_RDWR);
    if (out >= 0 && null >= 0) {
        dup2(null, 1);
        dup2(null, 0);
    }
    if (null >= 0)
        close(null);
    Load();
    std::fflush(stdout);
    if (out >= 0) {
        dup2(out, 1);
        close(out);
    }

    std::sort(findings_.begin(), findings_.end());
    findings_.erase(std::unique(findings_.begin(), findings_.end()), findings_.end());
    bool failed = false;
    for (const Finding& f : findings_) {
        std::printf("%s:%d: %s: %s\n", f.File.c_str(), f.Line, f.Error ? "error" : "warning",
                    f.Text.c_str());
        failed = failed || f.Error;
    }
    std::fflush(stdout);
    return failed ? 1 : 0;
}

const char* const kCheckUsage =
    "usage: velmora check [GAME_DIR] [--script-timeout S]\n"
    "\n"
    "Finds mistakes in the game in GAME_DIR (default: the current directory) without\n"
    "playing it: prints them as 'path:line: error|warning: text' and exits 1 when one\n"
    "is an error. Scripts that run longer than S seconds (default 5) are stopped.\n";

}  // namespace

int RunCheck(int argc, const char* const* argv) {
    std::string dir = ".";
    bool haveDir = false;
    double timeout = 5.0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kCheckUsage, stdout);
            return 0;
        }
        if (arg == "--script-timeout") {
            if (i + 1 >= argc || !ParseDouble(argv[i + 1], timeout) || timeout < 0.0) {
                std::fprintf(
                    stderr,
                    "velmora: --script-timeout needs a number of seconds, 0 (never) or more\n");
                return 2;
            }
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "velmora: unknown option %s\n%s", arg.c_str(), kCheckUsage);
            return 2;
        } else if (haveDir) {
            std::fprintf(stderr, "velmora: more than one game folder given: %s\n", arg.c_str());
            return 2;
        } else {
            dir = arg;
            haveDir = true;
        }
    }
    std::error_code ec;
    if (!fs::is_directory(dir, ec) || chdir(dir.c_str()) != 0) {
        std::fprintf(stderr, "velmora: game folder not found: %s\n", dir.c_str());
        return 2;
    }
    try {
        Checker checker(timeout);
        return checker.Run();
    } catch (const Exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.GetMessageText().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: the check failed: %s\n", e.what());
    }
    return 1;
}

}  // namespace Velmora
