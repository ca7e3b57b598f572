#include "resource/ResourceMgr.h"

namespace Velmora {

ResourceMgr::~ResourceMgr() {
    for (auto& entry : Sprites) {
        delete entry.second;
    }
    Sprites.clear();
    // displaced_ goes after the registry: the records objects still held.
}

void ResourceMgr::AddSprite(const std::string& name, const std::string& file, int width,
                            int height) {
    auto record = std::make_unique<SpriteRecord>(Device);
    record->Load(file, width, height);
    Store(name, std::move(record));
}

void ResourceMgr::AddAniSprite(const std::string& name, const std::string& file, int frameWidth,
                               int frameHeight, int columns, int rows) {
    auto record = std::make_unique<SpriteRecord>(Device);
    record->LoadFrames(file, frameWidth, frameHeight, columns, rows);
    Store(name, std::move(record));
}

SpriteRecord* ResourceMgr::GetSprite(const std::string& name) {
    return Sprites[name];
}

void ResourceMgr::Store(const std::string& name, std::unique_ptr<SpriteRecord> record) {
    SpriteRecord*& slot = Sprites[name];
    if (slot != nullptr) {
        // Objects loaded before this declaration keep pointing at the old record.
        displaced_.emplace_back(slot);
    }
    slot = record.release();
}

}  // namespace Velmora
