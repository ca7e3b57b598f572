#pragma once
// Something the hero picks up; what eating does is its script's business.
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Hero;

class Item : public TemplatedKind<Item> {
public:
    explicit Item(World& world);
    List ListedIn() const override { return List::Items; }
    ~Item() override;

    // Hands the pick-up to the item's script.
    void OnEaten(Hero* hero);

    std::string Name;

protected:
    void ReadSettings(const std::string& path) override;
    void CopySettings(const BaseObject& source) override;
    friend class TemplatedKind<Item>;

private:
};

}  // namespace Velmora
