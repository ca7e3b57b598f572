#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "TestGame.h"
#include "game/ControllerThread.h"
#include "platform/Haptic.h"

namespace Velmora::Testing {
namespace {

using namespace Platform;

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A UDP port on loopback that nobody holds (0 asks for any), or 0 when it cannot be bound.
int Bindable(int port) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = Loopback(port);
    socklen_t size = sizeof(address);
    int bound = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        bound = ntohs(address.sin_port);
    }
    close(fd);
    return bound;
}

void Send(int port, const std::string& text) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in address = Loopback(port);
    sendto(fd, text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(&address),
           sizeof(address));
    close(fd);
}

// Waits up to 3 s for the game's copy of the point to read (x, y).
bool PointBecomes(double x, double y) {
    for (int i = 0; i < 300; ++i) {
        if (g_hapticX.load() == x && g_hapticY.load() == y) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class HapticTest : public EngineTest {};

TEST_F(HapticTest, OnlyAGameWithTheControllerOnFollowsDatagramsUntilTeardown) {
    const int port = Bindable(0);
    ASSERT_GT(port, 0);
    game_.Write("res/script/GameState.lua", "function OnGameCreate() end");
    for (const bool on : {false, true}) {
        game_.Write("setup.lua", "Option = { Controller = " + std::to_string(on ? 1 : 0) +
                                     ", Port = " + std::to_string(port) + " }");
        CGame* game = CGame::GetInstance();
        game->Init();
        EXPECT_EQ(on, game->UseController);
        EXPECT_EQ(on, game->HapticThread != nullptr && game->HapticThread->Running());
        EXPECT_EQ(on ? 0 : port, Bindable(port));  // held only while the device is open
        if (on) {
            Send(port, "12.5 40");
            EXPECT_TRUE(PointBecomes(12.5, 40.0));
            // Anything but two finite numbers is not a point; of several the newest counts.
            for (const char* bad : {"", "abc", "1", "1 2 3", "nan 4", "1e999 2", "3 x"}) {
                Send(port, bad);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_TRUE(PointBecomes(12.5, 40.0));
            Send(port, "1 1");
            Send(port, " -3.5\t7\n");
            EXPECT_TRUE(PointBecomes(-3.5, 7.0));
        }
        CGame::DestroyInstance();
        EXPECT_FALSE(HapticDeviceIsOpen());
        EXPECT_EQ(port, Bindable(port));
    }
    g_hapticX.store(0.0);
    g_hapticY.store(0.0);
}

}  // namespace
}  // namespace Velmora::Testing
