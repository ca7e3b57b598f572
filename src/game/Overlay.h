#pragma once
// The debug overlay: the frame rate and a graph of frame times, update and draw times,
// draw calls, objects per kind, the script error count, and every object's hit area as
// an outline. It draws after the world, in the engine's own small font, and costs
// nothing while off (the engine neither times nor counts then).
#include <array>
#include <cstddef>
#include <memory>

namespace Velmora {

class Font;
class StageObjects;
namespace Platform {
class Renderer;
}

class Overlay {
public:
    Overlay();
    ~Overlay();
    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    void NoteUpdate(float dt, double updateMs);
    void NoteDraw(double drawMs, int drawCalls);
    // Over the picture; objects is the current stage's (may be null).
    void Draw(Platform::Renderer& device, const StageObjects* objects, long scriptErrors,
              int screenX, int screenY);

private:
    static constexpr std::size_t kGraphFrames = 120;
    std::unique_ptr<Font> font_;  // made on the first draw, for the device of that draw
    std::array<float, kGraphFrames> frameMs_{};
    std::size_t nextFrame_ = 0;
    double updateMs_ = 0.0;
    double drawMs_ = 0.0;
    int drawCalls_ = 0;
};

}  // namespace Velmora
