#include "app/NewGame.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ImageFile.h"

namespace Velmora {

namespace {

namespace fs = std::filesystem;

constexpr const char* kNewUsage =
    "usage: velmora new DIR\n"
    "Writes a small working game into DIR (a new or empty folder): a ship steered by the\n"
    "arrows that fires with Z or Space, drones to shoot and a score board.\n";

// The scripts teach by example: each comment names the section of docs/scripting.md
// that explains what the lines below it rely on.
struct ScriptFile {
    const char* Path;
    const char* Text;
};

const ScriptFile kScripts[] = {
    {"setup.lua",
     R"lua(-- Window settings (docs/scripting.md, "setup.lua"). The play field is always 450 x 600;
-- a wider window leaves room for a panel beside it.
Option = {
    ScreenWidth = 450,
    ScreenHeight = 600,
    FullScreen = 0,
}
)lua"},

    {"res/script/GameState.lua",
     R"lua(-- Runs first, and again before every key press (docs/scripting.md, "How scripts run").
-- Every script shares these globals: state gets a first value only when it has none,
-- and the helpers below can be called from every stage, object and action file.
Score = Score or 0

KEY_SPACE, KEY_Z = 32, 90

-- Pictures last the whole run: declare them once, then enter the first stage
-- ("Pictures and animations", "Stages").
function OnGameCreate()
    -- Five 32 x 32 cells, level in the middle, banking to either side. The engine plays
    -- these four by name as the ship starts and stops moving sideways ("Hero (Type 1)").
    Res_AddAniSprite("ship", "res/image/ship.png", 32, 32, 5, 1)
    Res_AddAni("ship", "Idle", 1, "2")
    Res_AddAni("ship", "LeftDown", 3, "2,1,0")
    Res_AddAni("ship", "LeftUp", 3, "0,1,2")
    Res_AddAni("ship", "RightDown", 3, "2,3,4")
    Res_AddAni("ship", "RightUp", 3, "4,3,2")
    for _, ani in ipairs({ "LeftDown", "LeftUp", "RightDown", "RightUp" }) do
        Res_SetDefaultAniSpeed("ship", ani, 0.05)
    end
    Res_AddSprite("drone", "res/image/drone.png", 24, 24)
    Res_AddSprite("shot", "res/image/shot.png", 4, 12)
    Res_AddSprite("bolt", "res/image/bolt.png", 8, 8)
    -- The digits 0 to 9 side by side, for the score board ("Score board (Type 7)").
    Res_AddSprite("digits", "res/image/digits.png", 80, 12)
    Game_ActiveStage("main")
end

-- A shot at once for every press of Z or Space; the ship's action ("pilot") keeps
-- firing while one is held. Escape ends the game by itself.
function OnKeyEvent(key)
    if key == KEY_Z or key == KEY_SPACE then
        Fire()
    end
end

function Firing()
    return Key_IsDown(KEY_Z) or Key_IsDown(KEY_SPACE)
end

-- Bullets are made standing still, then aimed ("Bullet (Type 4)").
function Fire()
    local ship = Obj_GetHero()
    if not ship then return end
    Stage_CreateBullet("bullet/shot", 1, Obj_GetX(ship), Obj_GetY(ship) - 16)
    Stage_AdjustBullet(0, 0, -1)
end

function AddScore(points)
    Score = Score + points
    ScoreBoard_SetScore(Stage_GetObject("score"), Score)
    print("score " .. Score)
end
)lua"},

    {"res/stage/main/Info.lua",
     R"lua(-- A stage is one screen of the game, built anew whenever it is entered
-- (docs/scripting.md, "Stages").
Info = { Level = 1 }

function OnStageCreate()
    Score = 0
    Serial = 0
    local ship = Stage_AddObject("ship", "hero/ship")
    -- Without an action the ship could neither move nor be hit ("Hero (Type 1)").
    Obj_SetAction(ship, "pilot")
    Obj_SetX(ship, 225)
    Obj_SetY(ship, 520)
    Obj_PlayAni(ship, "Idle", false)
    ScoreBoard_SetScore(Stage_AddObject("score", "board/score"), Score)
    -- The system object outlives the stage but its times are on the stage clock, which
    -- starts again at 0: the drones' timer is given afresh with every stage ("Game").
    Obj_SetAction(Game_GetSystemHandle(), "waves")
end
)lua"},

    {"res/object/hero/ship/Info.lua",
     R"lua(-- The player's ship (docs/scripting.md, "Hero (Type 1)"). The engine steers it with the
-- arrows at its action's Speed and keeps it inside the field. Name must be the folder's
-- name: the engine runs this file again by it before OnDamage.
Info = { Type = 1, Name = "ship", Sprite = "ship", ZOrder = 10, CollisionRadius = 4, Life = 3 }

-- A drone touched the ship (amount -1) or a drone's shot hit it: one life less, and the
-- stage starts over when none is left.
function OnDamage(ship, amount)
    local life = Obj_GetHP(ship) - 1
    Obj_SetHP(ship, life)
    print("life " .. life)
    if life <= 0 then
        print("game over")
        Game_ActiveStage("main")
    end
end
)lua"},

    {"res/object/mob/drone/Info.lua",
     R"lua(-- An enemy (docs/scripting.md, "Mob (Type 2)"). Score is not read by the engine: it is
-- kept here for OnDamage.
Info = {
    Type = 2, Name = "drone", Sprite = "drone", ZOrder = 5,
    CollisionRadius = 10, HP = 3, Score = 100,
}

-- A shot of the ship hit it, amount being the shot's Power. What a hit does is up to
-- the game: here each hit scores 10 and the last one the drone's Score.
function OnDamage(drone, amount)
    local info = Info  -- anything that runs another file replaces Info ("Traps")
    local hp = Obj_GetHP(drone) - amount
    Obj_SetHP(drone, hp)
    if hp > 0 then
        AddScore(10)
    else
        Obj_Delete(drone)
        AddScore(info.Score)
    end
end
)lua"},

    {"res/object/bullet/shot/Info.lua",
     R"lua(-- The ship's shot (docs/scripting.md, "Bullet (Type 4)"): Positive = 1 makes it hit
-- drones. Flags are numbers; true would read as 0.
Info = {
    Type = 4, Name = "shot", Sprite = "shot", ZOrder = 8,
    CollisionRadius = 2, EllipseY = 6, Power = 1, Speed = 480, Positive = 1,
}

-- The engine keeps a bullet that hits; it would hit again every frame.
function OnHit(bullet, target)
    Obj_Delete(bullet)
end
)lua"},

    {"res/object/bullet/bolt/Info.lua",
     R"lua(-- A drone's shot (docs/scripting.md, "Bullet (Type 4)"): Positive = 0 makes it hit the ship.
Info = {
    Type = 4, Name = "bolt", Sprite = "bolt", ZOrder = 9,
    CollisionRadius = 3, Power = 1, Speed = 200, Positive = 0,
}

function OnHit(bullet, target)
    Obj_Delete(bullet)
end
)lua"},

    {"res/object/board/score/Info.lua",
     R"lua(-- The score board (docs/scripting.md, "Score board (Type 7)"): drawn at X, Y on the screen
-- with at least DigitSpace digits; ScoreBoard_SetScore sets the number it shows.
Info = { Type = 7, Sprite = "digits", ZOrder = 100, DigitSpace = 6, X = 14, Y = 14 }
)lua"},

    {"res/action/pilot/Info.lua",
     R"lua(-- The ship's action (docs/scripting.md, "Actions"). The engine sets DX and DY from the
-- arrow keys, so Speed is the ship's speed in pixels a second; the interval is the rate
-- of fire while Z or Space is held. A BeginTime of 0 given in OnStageCreate would never
-- begin ("Traps").
Info = { Speed = 220, BeginTime = 1, Interval = 120 }

-- Every action file defines all three callbacks, empty when unused ("Traps").
function OnBegin(o) end

function OnAction(o) end

function OnInterval(o)
    if Firing() then Fire() end
end
)lua"},

    {"res/action/waves/Info.lua",
     R"lua(-- The system object's timer (docs/scripting.md, "Game"): a drone every 1.2 seconds
-- somewhere along the top.
Info = { BeginTime = 1, Interval = 1200 }

function OnBegin(o) end

function OnAction(o) end

function OnInterval(o)
    -- Objects of a stage are found by key, so every drone gets its own.
    Serial = Serial + 1
    local drone = Stage_AddObject("drone" .. Serial, "mob/drone")
    Obj_SetAction(drone, "swoop")
    Obj_SetX(drone, math.random(40, 410))
    Obj_SetY(drone, -16)
end
)lua"},

    {"res/action/swoop/Info.lua",
     R"lua(-- A drone's flight (docs/scripting.md, "Actions"): down the field weaving from side to
-- side, with one shot at the ship a second after it appears.
Info = { DY = 1, Speed = 110, BeginTime = 1, ActTime = 1000, Interval = 50 }

function OnBegin(o) end

function OnAction(o)
    local ship = Obj_GetHero()
    if not ship then return end
    local dx, dy = Obj_GetDirectionX(o, ship), Obj_GetDirectionY(o, ship)
    if dx ~= dx then return end  -- NaN: the drone is right on the ship
    Stage_CreateBullet("bullet/bolt", 1, Obj_GetX(o), Obj_GetY(o) + 10)
    Stage_AdjustBullet(0, dx, dy)
end

function OnInterval(o)
    Obj_SetDX(o, math.sin(Obj_GetY(o) / 50))
    if Obj_GetY(o) > 640 then Obj_Delete(o) end
end
)lua"},
};

// Pictures are drawn as character art, one character a block of pixels; '.' is clear.
using Art = std::vector<std::string>;

struct Colour {
    std::uint8_t R, G, B;
};

bool ColourOf(char c, Colour& out) {
    switch (c) {
        case 'w':
            out = {235, 240, 250};
            return true;
        case 'b':
            out = {60, 120, 230};
            return true;
        case 'c':
            out = {120, 230, 255};
            return true;
        case 'r':
            out = {225, 60, 50};
            return true;
        case 'd':
            out = {140, 30, 40};
            return true;
        case 'o':
            out = {255, 160, 40};
            return true;
        case 'y':
            out = {255, 230, 90};
            return true;
        case 'm':
            out = {255, 90, 200};
            return true;
        default:
            return false;
    }
}

Platform::Image Blank(int width, int height) {
    Platform::Image image;
    image.Width = width;
    image.Height = height;
    image.Rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    return image;
}

// Draws art stretched over the box at (left, top). narrow below 1 squeezes it about its
// middle and shade darkens the half on that side (-1 left, 1 right): a ship banking.
void Draw(Platform::Image& image, const Art& art, int left, int top, int width, int height,
          double narrow = 1.0, int shade = 0) {
    const int artWidth = static_cast<int>(art[0].size());
    const int artHeight = static_cast<int>(art.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fromMiddle = (x + 0.5 - width / 2.0) / narrow;
            const int ax =
                static_cast<int>(std::floor((fromMiddle + width / 2.0) * artWidth / width));
            const int ay = y * artHeight / height;
            Colour colour{};
            if (ax < 0 || ax >= artWidth || !ColourOf(art[ay][ax], colour)) {
                continue;
            }
            const bool dark = (shade < 0 && fromMiddle < 0) || (shade > 0 && fromMiddle > 0);
            const auto tone = [dark](std::uint8_t v) {
                return static_cast<std::uint8_t>(dark ? v * 7 / 10 : v);
            };
            std::uint8_t* pixel =
                &image.Rgba[(static_cast<std::size_t>(top + y) * image.Width + left + x) * 4];
            pixel[0] = tone(colour.R);
            pixel[1] = tone(colour.G);
            pixel[2] = tone(colour.B);
            pixel[3] = 255;
        }
    }
}

const Art kShip = {
    ".......ww.......",  //
    ".......ww.......",  //
    "......wccw......",  //
    "......wccw......",  //
    ".....wwccww.....",  //
    ".....wwwwww.....",  //
    "....bwwwwwwb....",  //
    "...bbwwwwwwbb...",  //
    "..bbbwwwwwwbbb..",  //
    ".bbbbwwwwwwbbbb.",  //
    "bbbbbwwwwwwbbbbb",  //
    "bbb.wwwwwwww.bbb",  //
    "bb...wwwwww...bb",  //
    "......oooo......",  //
    "......y..y......",  //
    "................",  //
};

// Drawn facing down, the way the drones fly.
const Art kDrone = {
    "...dddddd...",  //
    "..rrrrrrrr..",  //
    ".rryyrryyrr.",  //
    "rrryyrryyrrr",  //
    "rrrrrrrrrrrr",  //
    "drrrrrrrrrrd",  //
    ".d.rrrrrr.d.",  //
    ".d..rrrr..d.",  //
    ".d...rr...d.",  //
    ".d........d.",  //
    "d..........d",  //
    "............",  //
};

const Art kShot = {"yy", "ww", "ww", "ww", "yy", "oo"};
const Art kBolt = {".mm.", "mwwm", "mwwm", ".mm."};

// The digits 0 to 9, three columns each, one blank column between them.
const Art kDigitRows = {
    "yyy .y. yyy yyy y.y yyy yyy yyy yyy yyy", "y.y yy. ..y ..y y.y y.. y.. ..y y.y y.y",
    "y.y .y. yyy .yy yyy yyy yyy ..y yyy yyy", "y.y .y. y.. ..y ..y ..y y.y ..y y.y ..y",
    "yyy yyy yyy yyy ..y yyy yyy ..y yyy yyy",
};

struct PictureFile {
    std::string Path;
    Platform::Image Image;
};

std::vector<PictureFile> Pictures() {
    std::vector<PictureFile> pictures;

    // Five cells from banking hard left to hard right: narrower, the far wing darker.
    Platform::Image ship = Blank(160, 32);
    for (int cell = 0; cell < 5; ++cell) {
        const int bank = cell - 2;
        Draw(ship, kShip, cell * 32, 0, 32, 32, 1.0 - 0.15 * std::abs(bank), -bank);
    }
    pictures.push_back({"res/image/ship.png", std::move(ship)});

    Platform::Image drone = Blank(24, 24);
    Draw(drone, kDrone, 0, 0, 24, 24);
    pictures.push_back({"res/image/drone.png", std::move(drone)});

    Platform::Image shot = Blank(4, 12);
    Draw(shot, kShot, 0, 0, 4, 12);
    pictures.push_back({"res/image/shot.png", std::move(shot)});

    Platform::Image bolt = Blank(8, 8);
    Draw(bolt, kBolt, 0, 0, 8, 8);
    pictures.push_back({"res/image/bolt.png", std::move(bolt)});

    // Ten 8 x 12 cells; each digit 6 x 10 with a pixel of room around it.
    Platform::Image digits = Blank(80, 12);
    for (int digit = 0; digit < 10; ++digit) {
        Art one;
        for (const std::string& row : kDigitRows) {
            one.push_back(row.substr(static_cast<std::size_t>(digit) * 4, 3));
        }
        Draw(digits, one, digit * 8 + 1, 1, 6, 10);
    }
    pictures.push_back({"res/image/digits.png", std::move(digits)});
    return pictures;
}

// Writes the files and folders of a game, and takes back what it made when one fails,
// so a failed run leaves the folder as it found it.
class GameWriter {
public:
    explicit GameWriter(fs::path root) : root_(std::move(root)) {}

    bool Text(const std::string& path, const char* text) {
        const fs::path file = root_ / path;
        if (!MakeFolders(file.parent_path())) {
            return false;
        }
        made_.push_back(file);
        std::ofstream out(file, std::ios::binary);
        out << text;
        out.close();
        if (!out) {
            Fail(file, std::strerror(errno));
            return false;
        }
        return true;
    }

    bool Picture(const std::string& path, const Platform::Image& image) {
        const fs::path file = root_ / path;
        if (!MakeFolders(file.parent_path())) {
            return false;
        }
        made_.push_back(file);
        std::string error;
        if (!Platform::SavePngRgba(file.string(), image, &error)) {
            Fail(file, error);
            return false;
        }
        return true;
    }

    // Removes what was made, newest first: files, then the folders once empty.
    void TakeBack() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            std::error_code ignored;
            fs::remove(*it, ignored);
        }
        made_.clear();
    }

    const std::string& Error() const { return error_; }

private:
    bool MakeFolders(const fs::path& folder) {
        std::error_code ec;
        if (folder.empty() || fs::is_directory(folder, ec)) {
            return true;
        }
        if (!MakeFolders(folder.parent_path())) {
            return false;
        }
        if (!fs::create_directory(folder, ec)) {
            Fail(folder, ec ? ec.message() : "a file of that name is in the way");
            return false;
        }
        made_.push_back(folder);
        return true;
    }

    void Fail(const fs::path& path, const std::string& why) {
        error_ = "cannot write " + path.string() + ": " + why;
    }

    fs::path root_;
    std::vector<fs::path> made_;
    std::string error_;
};

}  // namespace

int RunNewGame(int argc, const char* const* argv) {
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kNewUsage, stdout);
            return 0;
        }
        if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "velmora: unknown option %s\n%s", arg.c_str(), kNewUsage);
            return 2;
        }
        if (!dir.empty()) {
            std::fprintf(stderr, "velmora: more than one folder given: %s\n", arg.c_str());
            return 2;
        }
        dir = arg;
    }
    if (dir.empty()) {
        std::fprintf(stderr, "velmora: new needs the folder to write the game into\n%s", kNewUsage);
        return 2;
    }

    // Never write over someone's files: only a new folder or an empty one will do.
    std::error_code ec;
    const fs::file_status status = fs::status(dir, ec);
    if (status.type() == fs::file_type::none) {
        std::fprintf(stderr, "velmora: cannot look at %s: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) {
            std::fprintf(stderr, "velmora: %s exists and is not a folder\n", dir.c_str());
            return 1;
        }
        const bool empty = fs::is_empty(dir, ec);
        if (ec) {
            std::fprintf(stderr, "velmora: cannot look into %s: %s\n", dir.c_str(),
                         ec.message().c_str());
            return 1;
        }
        if (!empty) {
            std::fprintf(stderr,
                         "velmora: %s is not empty; velmora new writes only into a new or "
                         "empty folder\n",
                         dir.c_str());
            return 1;
        }
    }

    GameWriter writer{fs::path(dir)};
    bool written = true;
    for (const ScriptFile& script : kScripts) {
        written = written && writer.Text(script.Path, script.Text);
    }
    for (const PictureFile& picture : Pictures()) {
        written = written && writer.Picture(picture.Path, picture.Image);
    }
    if (!written) {
        writer.TakeBack();
        std::fprintf(stderr, "velmora: %s\n", writer.Error().c_str());
        return 1;
    }
    std::printf("A new game in %s: play it with 'velmora %s', check it with 'velmora check %s'.\n",
                dir.c_str(), dir.c_str(), dir.c_str());
    return 0;
}

}  // namespace Velmora
