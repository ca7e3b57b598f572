#include "game/SettingKeys.h"

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

}  // namespace Velmora
