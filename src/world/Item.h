#pragma once
// Something the hero picks up; what eating does is its script's business.
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Hero;

class Item : public BaseObject {
public:
    explicit Item(World& world);
    ~Item() override;

    void Load(const std::string& path) override;
    // Hands the pick-up to the item's script.
    void OnEaten(Hero* hero);

    std::string Name;

private:
    void CopyItem(const Item& source);
};

}  // namespace Velmora
