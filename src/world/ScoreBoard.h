#pragma once
// A number drawn as zero-padded digit cells at a fixed place on the screen.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class ScoreBoard : public BaseObject {
public:
    explicit ScoreBoard(World& world);
    ~ScoreBoard() override;

    void Draw() override;
    ScoreBoard* AsScoreBoard() override { return this; }

    std::int32_t Score = 0;
    std::int32_t DigitSpace = 0;

protected:
    void ReadSettings(const std::string& path) override;
};

}  // namespace Velmora
