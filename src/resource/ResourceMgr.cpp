#include "resource/ResourceMgr.h"

#include <algorithm>

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

bool ResourceMgr::AddFont(const std::string& name, const std::string& file, int size,
                          std::string* error) {
    return StoreFont(name, Font::FromFile(Device, file, size, error));
}

bool ResourceMgr::AddBitmapFont(const std::string& name, const std::string& picture, int cellWidth,
                                int cellHeight, int firstChar, std::string* error) {
    return StoreFont(name,
                     Font::FromPicture(Device, picture, cellWidth, cellHeight, firstChar, error));
}

bool ResourceMgr::StoreFont(const std::string& name, std::unique_ptr<Font> font) {
    if (font == nullptr) {
        return false;
    }
    std::unique_ptr<Font>& slot = fonts_[name];
    if (slot != nullptr) {
        displacedFonts_.push_back(std::move(slot));
    }
    slot = std::move(font);
    return true;
}

const Font* ResourceMgr::GetFont(const std::string& name) const {
    auto found = fonts_.find(name);
    return found == fonts_.end() ? nullptr : found->second.get();
}

SpriteRecord* ResourceMgr::GetSprite(const std::string& name) {
    return Sprites[name];
}

void ResourceMgr::ReleaseDisplaced(const std::unordered_set<const void*>& used) {
    auto inUse = [&used](const std::unique_ptr<SpriteRecord>& record) {
        if (used.count(record.get()) != 0) {
            return true;
        }
        if (record->Animations != nullptr) {
            for (const auto& animation : *record->Animations) {
                if (used.count(&animation.second) != 0) {
                    return true;
                }
            }
        }
        return false;
    };
    displaced_.erase(
        std::remove_if(displaced_.begin(), displaced_.end(),
                       [&](const std::unique_ptr<SpriteRecord>& record) { return !inUse(record); }),
        displaced_.end());
    displacedFonts_.erase(std::remove_if(displacedFonts_.begin(), displacedFonts_.end(),
                                         [&](const std::unique_ptr<Font>& font) {
                                             return used.count(font.get()) == 0;
                                         }),
                          displacedFonts_.end());
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
