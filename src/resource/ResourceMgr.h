#pragma once
// The registry of the game's pictures by name.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/Singleton.h"
#include "resource/SpriteRecord.h"

namespace Velmora {

class ResourceMgr : public Singleton<ResourceMgr> {
public:
    ResourceMgr() = default;
    ~ResourceMgr() override;

    void SetDevice(Platform::GraphicsDevice* device) { Device = device; }

    void AddSprite(const std::string& name, const std::string& file, int width, int height);
    void AddAniSprite(const std::string& name, const std::string& file, int frameWidth,
                      int frameHeight, int columns, int rows);
    // The record under name, or null; an unknown name is remembered with a null record.
    SpriteRecord* GetSprite(const std::string& name);

    Platform::GraphicsDevice* Device = nullptr;
    std::map<std::string, SpriteRecord*> Sprites;

private:
    // Puts record under name; a record already there moves to displaced_.
    void Store(const std::string& name, std::unique_ptr<SpriteRecord> record);

    // Records displaced by a second declaration of their name: objects loaded before
    // still draw them, so they live until shutdown.
    std::vector<std::unique_ptr<SpriteRecord>> displaced_;
};

}  // namespace Velmora
