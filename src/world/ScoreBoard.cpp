#include "world/ScoreBoard.h"

#include "resource/SpriteRecord.h"
#include "world/ScriptPort.h"
#include "world/World.h"

namespace Velmora {

namespace {

// Room for any 32-bit number with a generous zero padding; wider padding is cut to
// it, since the cells would lie far outside any window anyway.
constexpr int kTextCapacity = 64;

// Writes value in decimal, at least width characters, zero-padded after the sign
// (as "%0*d" does); returns the length.
int FormatScore(std::int32_t value, int width, char (&text)[kTextCapacity]) {
    char digits[16];
    int count = 0;
    std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) {
        text[length++] = '-';
    }
    const int padded = width > kTextCapacity ? kTextCapacity : width;
    for (int pad = length + count; pad < padded; ++pad) {
        text[length++] = '0';
    }
    while (count > 0) {
        text[length++] = digits[--count];
    }
    return length;
}

}  // namespace

ScoreBoard::ScoreBoard(World& world) : BaseObject(world) {
    Type = TypeScoreBoard;
}

ScoreBoard::~ScoreBoard() = default;

void ScoreBoard::ReadSettings(const std::string& path) {
    BaseObject::ReadSettings(path);
    ScriptPort& scripts = world_.Scripts();
    DigitSpace = TruncateToInt(scripts.Number(path, "Info", "DigitSpace"));
    X = scripts.Number(path, "Info", "X");
    Y = static_cast<float>(TruncateToInt(scripts.Number(path, "Info", "Y")));
    if (Sprite == nullptr) {
        return;
    }
    // The picture holds the ten digits side by side; one cell is one digit.
    Sprite->FrameHeight = Sprite->ImageHeight;
    Sprite->FrameWidth = Sprite->ImageWidth / 10;
}

void ScoreBoard::Draw() {
    if (Sprite == nullptr) {
        return;
    }
    char text[kTextCapacity];
    const int length = FormatScore(Score, DigitSpace, text);
    for (int i = 0; i < length; ++i) {
        const int digit = text[i] - '0';
        if (digit < 0 || digit > 9) {
            continue;  // the minus sign has no cell in the picture
        }
        const Cell cell{static_cast<float>(digit * 0.1), 0.0f,
                        static_cast<float>((digit + 1) * 0.1), 1.0f};
        // No screen offset: the board stays in place while the stage scrolls.
        SpriteDraw how;
        // In floating point: a picture given by Obj_SetSprite keeps its own cell width,
        // which may be any int.
        how.X = X + static_cast<float>(Sprite->FrameWidth) * static_cast<float>(i);
        how.Y = Y;
        Sprite->Draw(how, cell);
    }
}

}  // namespace Velmora
