#include "resource/ResourceMgr.h"

namespace Velmora {

ResourceMgr::~ResourceMgr() {
    for (auto& entry : Sprites) {
        delete entry.second;
    }
    Sprites.clear();
}

void ResourceMgr::AddSprite(const std::string&, const std::string&, int, int) {}

void ResourceMgr::AddAniSprite(const std::string&, const std::string&, int, int, int, int) {}

SpriteRecord* ResourceMgr::GetSprite(const std::string& name) {
    return Sprites[name];
}

}  // namespace Velmora
