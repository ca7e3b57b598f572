#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <tuple>

#include "TestGame.h"
#include "platform/Letterbox.h"
#include "platform/Pointer.h"

namespace Velmora::Testing {
namespace {

// Binds a loopback UDP socket to port (0: any) and sends text from it when given; the
// port it had, or 0 when it could not be bound.
int Udp(int port, const std::string* text = nullptr) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    socklen_t size = sizeof(address);
    int result = 0;
    if (text != nullptr) {
        sendto(fd, text->data(), text->size(), 0, raw, size);
    } else if (bind(fd, raw, size) == 0 && getsockname(fd, raw, &size) == 0) {
        result = ntohs(address.sin_port);
    }
    close(fd);
    return result;
}
void Send(int port, const std::string& text) {
    Udp(port, &text);
}

class PointerTest : public EngineTest {};

// The mouse over a letterboxed picture: whole picture pixels, y up from its bottom edge,
// nothing over the bars; at scale 1 without bars, the window's own pixels as ever.
TEST(Letterbox, MapsTheMouseToPicturePixels) {
    using Platform::FitPicture;
    const Platform::Letterbox wide = FitPicture(640, 600, 1920, 1080);
    EXPECT_EQ(std::make_tuple(1, 640, 240), std::make_tuple(wide.Scale, wide.Left, wide.Top));
    const Platform::Letterbox cut = FitPicture(160, 120, 101, 99);
    EXPECT_EQ(std::make_tuple(1, -30, -11), std::make_tuple(cut.Scale, cut.Left, cut.Top));
    const Platform::Letterbox twice = FitPicture(160, 120, 400, 301);
    EXPECT_EQ(std::make_tuple(2, 40, 30, 320, 240),
              std::make_tuple(twice.Scale, twice.Left, twice.Top, twice.Width, twice.Height));
    double x = -1.0;
    double y = -1.0;
    for (auto [wx, wy, px, py] : {std::tuple{40.0, 30.0, 0.0, 120.0},
                                  {41.9, 31.9, 0.0, 120.0},
                                  {359.5, 269.5, 159.0, 1.0},
                                  {200.0, 150.0, 80.0, 60.0}}) {
        EXPECT_TRUE(twice.ToPicture(wx, wy, x, y) && x == px && y == py) << wx << ", " << wy;
    }
    for (auto [wx, wy] : {std::pair{39.9, 100.0}, {360.0, 100.0}, {100.0, 29.0}, {100.0, 270.0}}) {
        EXPECT_FALSE(twice.ToPicture(wx, wy, x, y)) << wx << ", " << wy;
    }
    EXPECT_TRUE(FitPicture(450, 600, 450, 600).ToPicture(17.0, 0.0, x, y) && x == 17 && y == 600);
}

TEST_F(PointerTest, OnlyAGameWithTheControllerOnFollowsDatagramsUntilTeardown) {
    const int port = Udp(0);
    ASSERT_GT(port, 0);
    // Whether the point a frame takes comes to read (x, y) within 3 s.
    auto pointBecomes = [](Input& input, double x, double y) {
        return Eventually([&] {
            input.SamplePointer();
            return input.PointX() == x && input.PointY() == y;
        });
    };
    game_.Write("res/script/GameState.lua", "function OnGameCreate() end");
    for (const bool on : {false, true}) {
        game_.Write("setup.lua", "Option = { Controller = " + std::to_string(on ? 1 : 0) +
                                     ", Port = " + std::to_string(port) + " }");
        engine_ = std::make_unique<Engine>(std::make_unique<LuaControl>());
        engine_->Start(std::nullopt);
        Input& input = engine_->GetInput();
        EXPECT_EQ(on, engine_->GetWorld().UseController);
        EXPECT_EQ(on, input.HasPointer());
        EXPECT_EQ(on ? 0 : port, Udp(port));  // held only while the device is open
        if (on) {
            Send(port, "12.5 40");
            EXPECT_TRUE(pointBecomes(input, 12.5, 40.0));
            // Anything but two finite numbers is not a point; of several the newest counts.
            for (const char* bad : {"", "abc", "1", "1 2 3", "nan 4", "1e999 2", "3 x"}) {
                Send(port, bad);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_TRUE(pointBecomes(input, 12.5, 40.0));
            Send(port, "1 1");
            Send(port, " -3.5\t7\n");
            EXPECT_TRUE(pointBecomes(input, -3.5, 7.0));
        }
        engine_.reset();
        EXPECT_EQ(port, Udp(port));
    }
}

// Points came from the device with no trace in --record's file, so a replay of a
// pointer session moved the hero nowhere.
TEST_F(PointerTest, ARecordedPointerSessionReplaysEveryHeroPosition) {
    const int port = Udp(0);
    ASSERT_GT(port, 0);
    const auto send = [port](const char* point) { return [port, point] { Send(port, point); }; };
    // The game may not have opened its socket yet: each point is sent until it shows.
    ExpectReplayLikeLive(game_,
                         "Option = { Controller = 1, Port = " + std::to_string(port) +
                             ", AdjustX = 100, AdjustY = 500 }",
                         Options{},
                         {{send("12.5 40"), ": 112.5 460\n"},
                          {send("-3.25 7"), ": 96.75 493\n"},
                          {send("0 0"), ": 100 500\n"},
                          {send("300 -60.125"), ": 400 560.125\n"},
                          {send("999 1"), ": 1099 499\n"}});
}

}  // namespace
}  // namespace Velmora::Testing
