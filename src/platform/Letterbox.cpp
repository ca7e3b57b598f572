#include "platform/Letterbox.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Platform {

int LargestScale(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    if (pictureWidth < 1 || pictureHeight < 1) {
        return 1;
    }
    return std::max(1, std::min(areaWidth / pictureWidth, areaHeight / pictureHeight));
}

Letterbox FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    Letterbox box;
    box.Scale = LargestScale(pictureWidth, pictureHeight, areaWidth, areaHeight);
    box.Width = pictureWidth * box.Scale;
    box.Height = pictureHeight * box.Scale;
    // Floor division, so that a cut picture loses its odd pixel on the same side as
    // the bars of a picture that fits.
    box.Left = static_cast<int>(std::floor((areaWidth - box.Width) / 2.0));
    box.Top = static_cast<int>(std::floor((areaHeight - box.Height) / 2.0));
    return box;
}

bool Letterbox::ToPicture(double x, double y, double& pictureX, double& pictureY) const {
    const double dx = x - Left;
    const double dy = y - Top;
    if (dx < 0.0 || dy < 0.0 || dx >= Width || dy >= Height) {
        return false;
    }
    pictureX = std::floor(dx / Scale);
    pictureY = Height / Scale - std::floor(dy / Scale);
    return true;
}

}  // namespace Velmora::Platform
