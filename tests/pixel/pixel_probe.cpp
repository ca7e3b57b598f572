// Checks pixels of a PNG against expectations, one per line of a checks file:
//   <x> <y> <r> <g> <b> [tolerance]   the pixel's colour, each channel within tolerance (default 2)
//   differs <r> <g> <b>               some pixel has another colour (the picture is not blank)
// Lines starting with '#' are comments. Exit status 0 when every check holds.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Pixel {
    int r, g, b;
};

Pixel At(SDL_Surface* s, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4;
    return Pixel{p[0], p[1], p[2]};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pixel_probe IMAGE.png CHECKS.txt\n");
        return 2;
    }
    SDL_Surface* loaded = IMG_Load(argv[1]);
    if (loaded == nullptr) {
        std::fprintf(stderr, "pixel_probe: cannot read %s: %s\n", argv[1], IMG_GetError());
        return 1;
    }
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    std::ifstream checks(argv[2]);
    std::string line;
    int failures = 0;
    int count = 0;
    while (std::getline(checks, line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#') {
            continue;
        }
        ++count;
        if (first == "differs") {
            int r = 0, g = 0, b = 0;
            words >> r >> g >> b;
            bool found = false;
            for (int y = 0; y < image->h && !found; ++y) {
                for (int x = 0; x < image->w && !found; ++x) {
                    const Pixel p = At(image, x, y);
                    found = std::abs(p.r - r) > 2 || std::abs(p.g - g) > 2 || std::abs(p.b - b) > 2;
                }
            }
            if (!found) {
                std::printf("FAIL: every pixel is (%d, %d, %d)\n", r, g, b);
                ++failures;
            }
            continue;
        }
        const int x = std::atoi(first.c_str());
        int y = 0, r = 0, g = 0, b = 0, tolerance = 2;
        words >> y >> r >> g >> b;
        if (!(words >> tolerance)) {
            tolerance = 2;
        }
        if (x < 0 || y < 0 || x >= image->w || y >= image->h) {
            std::printf("FAIL: (%d, %d) lies outside the %d x %d picture\n", x, y, image->w,
                        image->h);
            ++failures;
            continue;
        }
        const Pixel p = At(image, x, y);
        if (std::abs(p.r - r) > tolerance || std::abs(p.g - g) > tolerance ||
            std::abs(p.b - b) > tolerance) {
            std::printf("FAIL: pixel (%d, %d) is (%d, %d, %d), expected (%d, %d, %d) +- %d\n", x, y,
                        p.r, p.g, p.b, r, g, b, tolerance);
            ++failures;
        }
    }
    SDL_FreeSurface(image);
    std::printf("%d passed, %d failed\n", count - failures, failures);
    return failures == 0 && count > 0 ? 0 : 1;
}
