#pragma once
// The registry of the game's pictures by name.
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

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

    // Records displaced by a later declaration of their name.
    std::size_t DisplacedCount() const { return displaced_.size(); }
    // Frees the displaced records that nothing in used refers to: neither the record
    // nor one of its animations.
    void ReleaseDisplaced(const std::unordered_set<const void*>& used);

    Platform::Renderer* Device = nullptr;
    std::map<std::string, SpriteRecord*> Sprites;

private:
    // Puts record under name; a record already there moves to displaced_.
    void Store(const std::string& name, std::unique_ptr<SpriteRecord> record);

    // Records displaced by a second declaration of their name: objects loaded before
    // still draw them, so they live until no object shows them any more.
    std::vector<std::unique_ptr<SpriteRecord>> displaced_;
};

}  // namespace Velmora
