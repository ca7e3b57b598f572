#include "world/HitIndex.h"

#include <algorithm>
#include <cmath>

#include "world/Mob.h"

namespace Velmora {

namespace {

constexpr std::uint32_t kMostCells = 64;  // per side
constexpr float kLeastCell = 32.0f;
// A box over more cells than this is cheaper to test everywhere.
constexpr std::uint32_t kMostCellsPerBox = 64;
// Beyond this a reach is no reach: the squares the exact test takes may overflow, and
// an infinite sum of squares touches everything.
constexpr float kMostReach = 1e6f;

// How far from its centre an object's hit region can reach along one axis. A hit
// needs dx^2 / (a^2 + b^2) <= 1 up to rounding, so |dx| <= |a| + |b| with a little to
// spare; half again and a pixel spares far more than rounding can take.
float Reach(float ellipse, float radius) {
    return 1.5f * std::fabs(ellipse != 0.0f ? ellipse : radius);
}

// The test a target must pass before any shape is compared; it changes only when
// the version does.
bool CanBeHit(const BaseObject& target) {
    return target.CollisionRadius != 0.0f && target.CurAction && target.CurAction->Begun &&
           target.Alive;
}

}  // namespace

HitIndex::Span HitIndex::Cells(float low, float high, float origin, float side,
                               std::uint32_t count) const {
    // Monotonic in its argument, so two overlapping ranges always share a cell.
    auto cell = [&](float at) {
        const float place = std::floor((at - origin) / side);
        return static_cast<std::uint32_t>(std::clamp(place, 0.0f, static_cast<float>(count - 1)));
    };
    return {cell(low), cell(high)};
}

void HitIndex::Build(const std::vector<Mob*>& targets) {
    boxes_.clear();
    everywhere_.clear();
    bool first = true;
    for (std::uint32_t i = 0; i < targets.size(); ++i) {
        const BaseObject& target = *targets[i];
        if (!CanBeHit(target)) {
            continue;
        }
        const float rx = Reach(target.EllipseX, target.CollisionRadius);
        const float ry = Reach(target.EllipseY, target.CollisionRadius);
        const Box box{target.X - rx, target.Y - ry, target.X + rx, target.Y + ry, i};
        if (!(rx < kMostReach && ry < kMostReach && std::isfinite(box.Left) &&
              std::isfinite(box.Right) && std::isfinite(box.Top) && std::isfinite(box.Bottom))) {
            everywhere_.push_back(i);
            continue;
        }
        left_ = first ? box.Left : std::min(left_, box.Left);
        top_ = first ? box.Top : std::min(top_, box.Top);
        right_ = first ? box.Right : std::max(right_, box.Right);
        bottom_ = first ? box.Bottom : std::max(bottom_, box.Bottom);
        first = false;
        boxes_.push_back(box);
    }
    if (first) {
        columns_ = rows_ = 0;
        return;
    }
    const float width = right_ - left_, height = bottom_ - top_;
    columns_ = static_cast<std::uint32_t>(std::clamp(width / kLeastCell, 1.0f, float{kMostCells}));
    rows_ = static_cast<std::uint32_t>(std::clamp(height / kLeastCell, 1.0f, float{kMostCells}));
    cellWidth_ = std::max(width / static_cast<float>(columns_), 1.0f);
    cellHeight_ = std::max(height / static_cast<float>(rows_), 1.0f);

    // Counted first, then filled: each cell's entries stay in list order.
    starts_.assign(std::size_t{columns_} * rows_ + 1, 0);
    auto forEachCell = [&](const Box& box, auto&& visit) {
        const Span across = Cells(box.Left, box.Right, left_, cellWidth_, columns_);
        const Span down = Cells(box.Top, box.Bottom, top_, cellHeight_, rows_);
        for (std::uint32_t row = down.First; row <= down.Last; ++row) {
            for (std::uint32_t column = across.First; column <= across.Last; ++column) {
                visit(row * columns_ + column);
            }
        }
    };
    std::size_t kept = 0;
    for (const Box& box : boxes_) {
        const Span across = Cells(box.Left, box.Right, left_, cellWidth_, columns_);
        const Span down = Cells(box.Top, box.Bottom, top_, cellHeight_, rows_);
        if ((across.Last - across.First + 1) * (down.Last - down.First + 1) > kMostCellsPerBox) {
            everywhere_.push_back(box.Index);
            continue;
        }
        boxes_[kept++] = box;
        forEachCell(box, [&](std::uint32_t cell) { ++starts_[cell + 1]; });
    }
    boxes_.resize(kept);
    std::sort(everywhere_.begin(), everywhere_.end());
    for (std::size_t c = 1; c < starts_.size(); ++c) {
        starts_[c] += starts_[c - 1];
    }
    entries_.resize(starts_.back());
    near_.assign(starts_.begin(), starts_.end() - 1);  // each cell's next free entry
    for (const Box& box : boxes_) {
        forEachCell(box, [&](std::uint32_t cell) { entries_[near_[cell]++] = box.Index; });
    }
}

const std::vector<std::uint32_t>* HitIndex::Near(const std::vector<Mob*>& targets,
                                                 std::uint64_t version, const BaseObject& bullet) {
    const float rx = Reach(bullet.EllipseX, bullet.CollisionRadius) + 1.0f;
    const float ry = Reach(bullet.EllipseY, bullet.CollisionRadius) + 1.0f;
    const float left = bullet.X - rx, right = bullet.X + rx;
    const float top = bullet.Y - ry, bottom = bullet.Y + ry;
    if (!(rx < kMostReach && ry < kMostReach && std::isfinite(left) && std::isfinite(right) &&
          std::isfinite(top) && std::isfinite(bottom))) {
        return nullptr;
    }
    if (!built_ || builtVersion_ != version || builtFor_ != targets.data() ||
        builtSize_ != targets.size()) {
        Build(targets);
        built_ = true;
        builtVersion_ = version;
        builtFor_ = targets.data();
        builtSize_ = targets.size();
    }
    near_.assign(everywhere_.begin(), everywhere_.end());
    if (columns_ != 0 && right >= left_ && left <= right_ && bottom >= top_ && top <= bottom_) {
        const Span across = Cells(left, right, left_, cellWidth_, columns_);
        const Span down = Cells(top, bottom, top_, cellHeight_, rows_);
        if ((across.Last - across.First + 1) * (down.Last - down.First + 1) > kMostCellsPerBox) {
            return nullptr;
        }
        for (std::uint32_t row = down.First; row <= down.Last; ++row) {
            for (std::uint32_t column = across.First; column <= across.Last; ++column) {
                const std::uint32_t cell = row * columns_ + column;
                near_.insert(near_.end(), entries_.begin() + starts_[cell],
                             entries_.begin() + starts_[cell + 1]);
            }
        }
    }
    std::sort(near_.begin(), near_.end());
    near_.erase(std::unique(near_.begin(), near_.end()), near_.end());
    return &near_;
}

}  // namespace Velmora
