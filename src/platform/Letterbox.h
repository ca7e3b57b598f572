#pragma once
// Where the game's picture sits in a window: enlarged by the largest whole number that
// fits, so every game pixel stays a square block of screen pixels, and centred between
// black bars. A window smaller than the picture shows it at its own size, centred, its
// edges cut off: a fraction of a pixel per game pixel would smear pixel art.
namespace Velmora::Platform {

constexpr int kMaxScale = 16;

// The largest whole scale at which the picture fits the area; at least 1.
int LargestScale(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

struct Letterbox {
    int Scale = 1;
    // The picture's top-left corner in the area (pixels, y down); negative when it is cut.
    int Left = 0;
    int Top = 0;
    int Width = 0;  // the picture's size times Scale
    int Height = 0;

    // A point of the area (pixels, y down) as a point of the picture: x to the right
    // and y upward from its bottom edge, in whole picture pixels. False over the bars.
    bool ToPicture(double x, double y, double& pictureX, double& pictureY) const;
};

Letterbox FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

}  // namespace Velmora::Platform
