#include "game/Overlay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/Renderer.h"
#include "resource/Font.h"
#include "world/BaseObject.h"
#include "world/StageObjects.h"

namespace Velmora {

namespace {

// Glyphs of three by five pixels for the characters from space to Z, row by row ('#'
// set); the overlay writes in capitals. '#' itself is a solid cell, for shapes.
constexpr char kFirst = ' ';
const char* const kGlyphs[] = {
    "",                 // space
    "",                 // !
    "",                 // "
    "",                 // #
    "",                 // $
    "",                 // %
    "",                 // &
    "",                 // '
    "",                 // (
    "",                 // )
    "",                 // *
    "",                 // +
    "",                 // ,
    "......###......",  // -
    ".............#.",  // .
    "..#..#.#.#..#..",  // /
    "####.##.##.####",  // 0
    ".#.##..#..#.###",  // 1
    "###..#####..###",  // 2
    "###..#.##..####",  // 3
    "#.##.####..#..#",  // 4
    "####..###..####",  // 5
    "####..####.####",  // 6
    "###..#..#.#..#.",  // 7
    "####.#####.####",  // 8
    "####.####..####",  // 9
    "....#.....#....",  // :
    "",                 // ;
    "",                 // <
    "",                 // =
    "",                 // >
    "",                 // ?
    "",                 // @
    ".#.#.#####.##.#",  // A
    "##.#.###.#.###.",  // B
    ".###..#..#...##",  // C
    "##.#.##.##.###.",  // D
    "####..##.#..###",  // E
    "####..##.#..#..",  // F
    ".###..#.##.#.##",  // G
    "#.##.#####.##.#",  // H
    "###.#..#..#.###",  // I
    "..#..#..##.#.#.",  // J
    "#.##.###.#.##.#",  // K
    "#..#..#..#..###",  // L
    "#.########.##.#",  // M
    "##.#.##.##.##.#",  // N
    ".#.#.##.##.#.#.",  // O
    "##.#.###.#..#..",  // P
    ".#.#.##.###..##",  // Q
    "##.#.###.#.##.#",  // R
    ".###...#...###.",  // S
    "###.#..#..#..#.",  // T
    "#.##.##.##.####",  // U
    "#.##.##.##.#.#.",  // V
    "#.##.########.#",  // W
    "#.##.#.#.#.##.#",  // X
    "#.##.#.#..#..#.",  // Y
    "###..#.#.#..###",  // Z
};
constexpr int kGlyphCount = static_cast<int>(sizeof(kGlyphs) / sizeof(kGlyphs[0]));
constexpr int kCellWidth = 4;
constexpr int kCellHeight = 6;

std::unique_ptr<Font> MakeFont(Platform::Renderer& device) {
    Platform::Image image;
    image.Width = kGlyphCount * kCellWidth;
    image.Height = kCellHeight;
    image.Rgba.assign(static_cast<std::size_t>(image.Width) * image.Height * 4, 0);
    for (int g = 0; g < kGlyphCount; ++g) {
        const bool solid = g == '#' - kFirst;
        const std::size_t length = std::char_traits<char>::length(kGlyphs[g]);
        for (int y = 0; y < kCellHeight; ++y) {
            for (int x = 0; x < kCellWidth; ++x) {
                const std::size_t bit = static_cast<std::size_t>(y * 3 + x);
                const bool set =
                    solid || (x < 3 && y < 5 && bit < length && kGlyphs[g][bit] == '#');
                // Black, so the draw's colour is the colour seen.
                image.Rgba[(static_cast<std::size_t>(y) * image.Width + g * kCellWidth + x) * 4 +
                           3] = set ? 255 : 0;
            }
        }
    }
    return Font::FromImage(&device, image, "(overlay font)", kCellWidth, kCellHeight, kFirst);
}

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[128];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

}  // namespace

Overlay::Overlay() = default;
Overlay::~Overlay() = default;

void Overlay::NoteUpdate(float dt, double updateMs) {
    frameMs_[nextFrame_] = dt * 1000.0f;
    nextFrame_ = (nextFrame_ + 1) % kGraphFrames;
    updateMs_ = updateMs;
}

void Overlay::NoteDraw(double drawMs, int drawCalls) {
    drawMs_ = drawMs;
    drawCalls_ = drawCalls;
}

void Overlay::Draw(Platform::Renderer& device, const StageObjects* objects, long scriptErrors,
                   int screenX, int screenY) {
    if (font_ == nullptr) {
        font_ = MakeFont(device);
        if (font_ == nullptr) {
            return;
        }
    }
    const Cell solid = font_->GlyphCell('#');
    // A rectangle, or a line two pixels wide from (x0, y0) to (x1, y1).
    auto box = [&](float x, float y, float w, float h, std::uint32_t colour) {
        DrawTexturedQuad(device, font_->Texture(), font_->Buffer(),
                         SpriteDraw{x, y, 1.0f, 0.0f, colour}, 0.0f, 0.0f, w, h, solid);
    };
    auto line = [&](float x0, float y0, float x1, float y1, std::uint32_t colour) {
        const float length = std::hypot(x1 - x0, y1 - y0);
        const SpriteDraw how{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f, 1.0f, std::atan2(y1 - y0, x1 - x0),
                             colour};
        DrawTexturedQuad(device, font_->Texture(), font_->Buffer(), how, -0.5f * length, -1.0f,
                         0.5f * length, 1.0f, solid);
    };

    // Hit areas: the diamond collisions use, where the objects are drawn.
    int heroes = 0, mobs = 0, bullets = 0, items = 0, friends = 0, others = 0;
    if (objects != nullptr) {
        for (const auto& layer : objects->ByZOrder) {
            for (const BaseObject* object : layer.second) {
                if (object == nullptr) {
                    continue;
                }
                const int type = object->Type;
                (type == TypeHero     ? heroes
                 : type == TypeMob    ? mobs
                 : type == TypeBullet ? bullets
                 : type == TypeItem   ? items
                 : type == TypeFriend ? friends
                                      : others)++;
                const float rx =
                    object->EllipseX > 0.0f ? object->EllipseX : object->CollisionRadius;
                const float ry =
                    object->EllipseY > 0.0f ? object->EllipseY : object->CollisionRadius;
                if (!(rx > 0.0f && ry > 0.0f) || !std::isfinite(rx + ry + object->X + object->Y)) {
                    continue;
                }
                const float x = object->X + static_cast<float>(screenX);
                const float y = object->Y + static_cast<float>(screenY);
                const std::uint32_t green = 0xFF40FF40u;
                line(x - rx, y, x, y - ry, green);
                line(x, y - ry, x + rx, y, green);
                line(x + rx, y, x, y + ry, green);
                line(x, y + ry, x - rx, y, green);
            }
        }
    }

    // The numbers, on a dark panel.
    float sum = 0.0f, worst = 0.0f;
    for (const float ms : frameMs_) {
        sum += ms;
        worst = std::max(worst, ms);
    }
    const float average = sum / static_cast<float>(kGraphFrames);
    const std::string lines =
        Format("FPS %.1f  FRAME %.2f MS  WORST %.2f MS\n", average > 0.0f ? 1000.0 / average : 0.0,
               average, worst) +
        Format("UPDATE %.2f MS  DRAW %.2f MS  DRAWS %.0f\n", updateMs_, drawMs_, drawCalls_) +
        Format("HERO %.0f  MOB %.0f  BULLET %.0f\n", heroes, mobs, bullets) +
        Format("ITEM %.0f  FRIEND %.0f  OTHER %.0f\n", items, friends, others) +
        Format("SCRIPT ERRORS %.0f", static_cast<double>(scriptErrors));
    box(0.0f, 0.0f, 300.0f, 70.0f, 0xA0000000u);
    font_->Draw(SpriteDraw{4.0f, 35.0f, 2.0f, 0.0f, 0xFFFFFF40u}, lines, TextAlign::Left);

    // Frame times, oldest on the left; the line marks 60 frames a second.
    box(0.0f, 70.0f, 2.0f * kGraphFrames, 50.0f, 0xA0000000u);
    for (std::size_t i = 0; i < kGraphFrames; ++i) {
        const float ms = frameMs_[(nextFrame_ + i) % kGraphFrames];
        const float h = std::min(ms, 50.0f);
        box(2.0f * static_cast<float>(i), 120.0f - h, 2.0f, h, 0xFF40C0FFu);
    }
    line(0.0f, 120.0f - 16.7f, 2.0f * kGraphFrames, 120.0f - 16.7f, 0xFFFF4040u);
}

}  // namespace Velmora
