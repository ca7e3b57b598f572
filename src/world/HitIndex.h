#pragma once
// Which of a long list of targets a bullet may touch. Thousands of bullets testing every
// mob each frame was most of a busy frame; a grid of the targets' reach leaves each
// bullet a handful to test exactly, in list order, so the first one hit is the same.
#include <cstdint>
#include <vector>

namespace Velmora {

class BaseObject;
class Mob;

class HitIndex {
public:
    // The indices into targets of those the bullet may touch, ascending; null when the
    // grid cannot tell (a bullet of no finite reach) and every target must be tested.
    // version must change whenever a target may have moved, changed its shape or its
    // action, or the list changed: the grid is built again then. The result lasts
    // until the next call.
    const std::vector<std::uint32_t>* Near(const std::vector<Mob*>& targets, std::uint64_t version,
                                           const BaseObject& bullet);

private:
    struct Box {
        float Left, Top, Right, Bottom;
        std::uint32_t Index;
    };
    struct Span {
        std::uint32_t First, Last;
    };

    void Build(const std::vector<Mob*>& targets);
    Span Cells(float low, float high, float origin, float side, std::uint32_t count) const;

    const void* builtFor_ = nullptr;
    std::size_t builtSize_ = 0;
    std::uint64_t builtVersion_ = 0;
    bool built_ = false;

    float left_ = 0.0f, top_ = 0.0f, right_ = 0.0f, bottom_ = 0.0f;
    float cellWidth_ = 1.0f, cellHeight_ = 1.0f;
    std::uint32_t columns_ = 0, rows_ = 0;
    // The cells' entries one after another: cell c holds entries_[starts_[c] ..
    // starts_[c + 1]). Every vector is kept between builds, so a warm grid allocates
    // nothing.
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> entries_;
    // Targets of no finite reach, or of a reach as large as the grid: every bullet
    // tests them.
    std::vector<std::uint32_t> everywhere_;
    std::vector<Box> boxes_;
    std::vector<std::uint32_t> near_;
};

}  // namespace Velmora
