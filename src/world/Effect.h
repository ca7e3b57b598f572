#pragma once
// A visual object outside the rules; its script sets it up in OnCreate.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Effect : public BaseObject {
public:
    explicit Effect(World& world);
    ~Effect() override;

    void Load(const std::string& path) override;
    // Runs the effect script's OnCreate with the effect, once it is loaded and placed.
    void OnCreate();

    std::string Name;
    std::int32_t HP = 0;

private:
    void CopyEffect(const Effect& source);
};

}  // namespace Velmora
