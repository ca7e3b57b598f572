#pragma once
// The container of one level's objects.
namespace Velmora {

class Stage {
public:
    Stage() = default;
    ~Stage();
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    void Update();
    void Draw();
};

}  // namespace Velmora
