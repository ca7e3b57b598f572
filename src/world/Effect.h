#pragma once
// A visual object outside the rules; its script sets it up in OnCreate.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Effect : public TemplatedKind<Effect> {
public:
    explicit Effect(World& world);
    ~Effect() override;

    // Runs the effect script's OnCreate with the effect, once it is loaded and placed.
    void OnCreate();

    std::string Name;
    std::int32_t HP = 0;
    std::int32_t* HitPoints() override { return &HP; }

protected:
    void ReadSettings(const std::string& path) override;
    void CopySettings(const BaseObject& source) override;
    friend class TemplatedKind<Effect>;

private:
};

}  // namespace Velmora
