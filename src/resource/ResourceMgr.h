#pragma once
// The registry of the game's pictures and fonts by name.
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "resource/Font.h"
#include "resource/SpriteRecord.h"

namespace Velmora {

class ResourceMgr {
public:
    ResourceMgr() = default;
    ~ResourceMgr();
    ResourceMgr(const ResourceMgr&) = delete;
    ResourceMgr& operator=(const ResourceMgr&) = delete;

    void SetDevice(Platform::Renderer* device) { Device = device; }

    void AddSprite(const std::string& name, const std::string& file, int width, int height);
    void AddAniSprite(const std::string& name, const std::string& file, int frameWidth,
                      int frameHeight, int columns, int rows);
    // The record under name, or null; an unknown name is remembered with a null record.
    SpriteRecord* GetSprite(const std::string& name);

    // Fonts: false, with *error saying why, when the font cannot be made; the name
    // then keeps what it had.
    bool AddFont(const std::string& name, const std::string& file, int size, std::string* error);
    bool AddBitmapFont(const std::string& name, const std::string& picture, int cellWidth,
                       int cellHeight, int firstChar, std::string* error);
    // The font under name, or null.
    const Font* GetFont(const std::string& name) const;

    // Records and fonts displaced by a later declaration of their name.
    std::size_t DisplacedCount() const { return displaced_.size() + displacedFonts_.size(); }
    // Frees what was displaced that nothing in used refers to: neither the record nor
    // one of its animations, nor the font.
    void ReleaseDisplaced(const std::unordered_set<const void*>& used);

    Platform::Renderer* Device = nullptr;
    std::map<std::string, SpriteRecord*> Sprites;

private:
    // Puts record under name; a record already there moves to displaced_.
    void Store(const std::string& name, std::unique_ptr<SpriteRecord> record);

    // Records displaced by a second declaration of their name: objects loaded before
    // still draw them, so they live until no object shows them any more.
    std::vector<std::unique_ptr<SpriteRecord>> displaced_;
    // Puts font under name (false for null); a font already there moves to
    // displacedFonts_.
    bool StoreFont(const std::string& name, std::unique_ptr<Font> font);

    // Objects keep pointing at the font they write in, so a font declared again under
    // its name lives on as long as one does, as pictures do.
    std::map<std::string, std::unique_ptr<Font>> fonts_;
    std::vector<std::unique_ptr<Font>> displacedFonts_;
};

}  // namespace Velmora
