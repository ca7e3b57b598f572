#include "game/SettingKeys.h"

#include <algorithm>
#include <cctype>

namespace Velmora {

namespace {

std::vector<SettingKey> ObjectKeys(std::vector<SettingKey> own) {
    std::vector<SettingKey> keys = {
        {"Type", KeyType::Number},     {"Sprite", KeyType::Text},
        {"ZOrder", KeyType::Number},   {"CollisionRadius", KeyType::Number},
        {"EllipseX", KeyType::Number}, {"EllipseY", KeyType::Number},
    };
    keys.insert(keys.end(), own.begin(), own.end());
    return keys;
}

const SettingKey kName = {"Name", KeyType::Text};

}  // namespace

const FileKind& SetupFile() {
    static const FileKind kind = {"setup",
                                  "",
                                  0,
                                  {{"ScreenWidth", KeyType::Number},
                                   {"ScreenHeight", KeyType::Number},
                                   {"FullScreen", KeyType::Flag},
                                   {"Scale", KeyType::Number},
                                   {"Controller", KeyType::Flag},
                                   {"AdjustX", KeyType::Number},
                                   {"AdjustY", KeyType::Number},
                                   {"Port", KeyType::Number},
                                   {"Gamepad", KeyType::Table}},
                                  {}};
    return kind;
}

const FileKind& GameStateFile() {
    static const FileKind kind = {"game script", "", 0, {}, {"OnGameCreate", "OnKeyEvent"}};
    return kind;
}

const FileKind& StageFile() {
    static const FileKind kind = {"stage", "", 0, {{"Level", KeyType::Number}}, {"OnStageCreate"}};
    return kind;
}

const FileKind& ActionFile() {
    static const FileKind kind = {"action",
                                  "",
                                  0,
                                  {{"X", KeyType::Number},
                                   {"Y", KeyType::Number},
                                   {"DX", KeyType::Number},
                                   {"DY", KeyType::Number},
                                   {"Speed", KeyType::Number},
                                   {"BeginTime", KeyType::Number},
                                   {"ActTime", KeyType::Number},
                                   {"Interval", KeyType::Number}},
                                  {"OnBegin", "OnAction", "OnInterval"}};
    return kind;
}

const std::vector<FileKind>& ObjectKinds() {
    static const std::vector<FileKind> kinds = {
        {"hero",
         "hero",
         1,
         ObjectKeys({kName,
                     {"Life", KeyType::Number},
                     {"WeaponType", KeyType::Number},
                     {"WeaponLevel", KeyType::Number},
                     {"BombType", KeyType::Number},
                     {"BombLevel", KeyType::Number},
                     {"BombCount", KeyType::Number},
                     {"BombCountMax", KeyType::Number}}),
         {"OnDamage"}},
        {"mob",
         "mob",
         2,
         ObjectKeys({kName,
                     {"HP", KeyType::Number},
                     {"Score", KeyType::Number},
                     {"AutoDirection", KeyType::Flag}}),
         {"OnDamage"}},
        {"bullet",
         "bullet",
         4,
         ObjectKeys({kName,
                     {"Power", KeyType::Number},
                     {"Speed", KeyType::Number},
                     {"Positive", KeyType::Flag},
                     {"AutoDirection", KeyType::Flag}}),
         {"OnHit"}},
        {"item", "item", 5, ObjectKeys({kName}), {"OnEaten"}},
        {"effect", "effect", 6, ObjectKeys({kName}), {"OnCreate"}},
        {"score board",
         "board",
         7,
         ObjectKeys(
             {{"DigitSpace", KeyType::Number}, {"X", KeyType::Number}, {"Y", KeyType::Number}}),
         {}},
        {"friend", "friend", 8, ObjectKeys({}), {}},
    };
    return kinds;
}

const FileKind& ObjectFile(const std::string& folder, int type) {
    static const FileKind plain = {"plain object", "", 0, ObjectKeys({}), {}};
    for (const FileKind& kind : ObjectKinds()) {
        if (folder == kind.Folder) {
            return kind;
        }
    }
    // Stage_AddObject makes heroes, mobs, items and score boards by Type wherever
    // their folder is; the other kinds come only from their own folders.
    for (const FileKind& kind : ObjectKinds()) {
        if (type == kind.Type && (type == 1 || type == 2 || type == 5 || type == 7)) {
            return kind;
        }
    }
    return plain;
}

namespace {

// The edit distance with adjacent transpositions, the typist's usual slip.
std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string NearestKey(const std::string& key, const std::vector<std::string>& known) {
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& name : known) {
        if (Lower(name) == Lower(key))
            return name;
        // Short names are too close to each other to guess between.
        const std::size_t allowed = name.size() <= 3 ? 0 : name.size() <= 6 ? 1 : 2;
        const std::size_t distance = Distance(Lower(key), Lower(name));
        if (distance <= allowed && distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace Velmora
