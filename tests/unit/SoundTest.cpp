#include <chrono>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "TestGame.h"
#include "platform/SoundFile.h"
#include "platform/SoundSystem.h"
#include "sound/SoundController.h"

namespace Velmora::Testing {
namespace {

using namespace Platform;

// Little-endian unless asked otherwise.
std::string Le(std::uint64_t value, int bytes, bool bigEndian = false) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * (bigEndian ? bytes - 1 - i : i))) & 0xFF);
    }
    return out;
}

// A RIFF WAVE of silence; claimedDataBytes lets a test claim more data than it holds.
std::string Wav(int rate, int channels, int bits, std::uint32_t frames, int tag = 1,
                const std::string& extraChunk = "", std::int64_t claimedDataBytes = -1) {
    const int align = channels * bits / 8;
    const std::uint32_t bytes = frames * static_cast<std::uint32_t>(align);
    const std::string fmt =
        "fmt " + Le(16, 4) + Le(static_cast<std::uint64_t>(tag), 2) + Le(channels, 2) +
        Le(rate, 4) + Le(static_cast<std::uint64_t>(rate) * align, 4) + Le(align, 2) + Le(bits, 2);
    const std::uint64_t claimed =
        claimedDataBytes >= 0 ? static_cast<std::uint64_t>(claimedDataBytes) : bytes;
    const std::string body =
        "WAVE" + fmt + extraChunk + "data" + Le(claimed, 4) + std::string(bytes, '\0');
    return "RIFF" + Le(body.size(), 4) + body;
}

// music.wav (ten seconds) and shot.wav (half a second) loaded on the silent system.
class SoundTest : public EngineTest {
protected:
    void SetUp() override {
        game_.Write("res/sound/music.wav", Wav(8000, 1, 16, 80000));
        game_.Write("res/sound/shot.wav", Wav(8000, 1, 16, 4000));
        sound_ = &engine().Sounds();
        sound_->System = CreateSilentSoundSystem();
        ASSERT_EQ(kSoundOk, sound_->System->Init(20));
        sound_->Add("music.wav");
        sound_->Add("shot.wav");
    }
    SoundSystem& System() { return *sound_->System; }
    ChannelHandle Channel(const std::string& name) { return sound_->Sounds[name].Channel; }
    int Fade(const std::string& name) { return sound_->Sounds[name].Fade; }
    Sound* Loaded(const std::string& name) { return sound_->Sounds[name].Sound; }
    float Volume(ChannelHandle channel) {
        float volume = -1.0f;
        EXPECT_EQ(kSoundOk, System().GetVolume(channel, &volume));
        return volume;
    }
    bool Playing(ChannelHandle channel) {
        bool playing = false;
        System().IsPlaying(channel, &playing);
        return playing;
    }
    ChannelHandle Play(Sound* sound) {
        ChannelHandle channel;
        EXPECT_EQ(kSoundOk, System().PlaySound(sound, false, &channel));
        return channel;
    }
    void Updates(int count) {
        for (int i = 0; i < count; ++i) {
            sound_->Update(0.1f);
        }
    }
    SoundController* sound_ = nullptr;
};

TEST_F(SoundTest, FadesReachOnlyTheNewestPlayOfTheirOwnVoice) {
    // Seven tenths of the range a second, ending at the limit.
    sound_->FadeIn("music.wav", true);
    const ChannelHandle rising = Channel("music.wav");
    EXPECT_EQ(0.0f, Volume(rising));
    Updates(14);
    EXPECT_NEAR(0.98f, Volume(rising), 1e-5);
    EXPECT_EQ(FadeIn, Fade("music.wav"));
    Updates(1);
    EXPECT_EQ(1.0f, Volume(rising));
    EXPECT_EQ(FadeNone, Fade("music.wav"));
    // Fading out goes down from where the volume is and stops the play below zero.
    sound_->Play("shot.wav", 0.3f, true);
    sound_->FadeOut("shot.wav");
    const ChannelHandle falling = Channel("shot.wav");
    Updates(4);
    EXPECT_NEAR(0.02f, Volume(falling), 1e-6);
    Updates(1);
    EXPECT_FALSE(Playing(falling));
    // A second play of a name leaves the first to its own volume.
    sound_->FadeOut("music.wav");
    Updates(1);
    sound_->Play("music.wav", 1.0f, false);
    const ChannelHandle second = Channel("music.wav");
    sound_->Stop("music.wav");
    EXPECT_FALSE(Playing(second));
    EXPECT_TRUE(Playing(rising));
    EXPECT_NEAR(0.93f, Volume(rising), 1e-6);
    // Once all voices are taken over, a pending fade leaves the new owner alone.
    sound_->Play("music.wav", 0.5f, true);
    const ChannelHandle music = Channel("music.wav");
    sound_->FadeOut("music.wav");
    for (int i = 0; i < 20; ++i) {
        sound_->Play("shot.wav", 1.0f, true);
    }
    EXPECT_FALSE(Playing(music));
    Updates(1);
    EXPECT_EQ(FadeNone, Fade("music.wav"));
    EXPECT_EQ(music.Voice, Channel("shot.wav").Voice);
    EXPECT_EQ(1.0f, Volume(Channel("shot.wav")));
}

// What a game sees of failed loads is in the broken games; here, what it cannot see.
TEST_F(SoundTest, OversizedAndUnmadeSoundsFailToLoad) {
    // A tiny file may claim hours: past 256 MiB decoded at 44.1 kHz stereo 16-bit it is refused.
    game_.Write("res/sound/slow.wav", Wav(1, 1, 8, 1500));
    EXPECT_NO_THROW(sound_->Add("slow.wav"));
    game_.Write("res/sound/slow.wav", Wav(1, 1, 8, 1600));
    EXPECT_THROW_TEXT(sound_->Add("slow.wav"), Exception,
                      "FMOD error! (43) Not enough memory or resources. res/sound/slow.wav\n");
    EXPECT_EQ(nullptr, Loaded("slow.wav"));
    // Never played: nothing to stop, and the fade ends at once.
    sound_->Stop("music.wav");
    sound_->FadeOut("music.wav");
    Updates(1);
    EXPECT_EQ(FadeNone, Fade("music.wav"));
    EXPECT_THROW_TEXT(
        SoundController().Add("music.wav"), Exception,
        "FMOD error! (79) This command failed because System::init or System::setDriver was not "
        "called. res/sound/music.wav\n");
}

TEST_F(SoundTest, SilentVoicesEndTakeOverAndClampLikeRealOnes) {
    Sound* shot = Loaded("shot.wav");
    Sound* music = Loaded("music.wav");
    const ChannelHandle once = Play(shot);
    ASSERT_EQ(kSoundOk, System().SetLooping(shot, true));
    const ChannelHandle looped = Play(shot);
    System().Advance(0.375f);
    EXPECT_TRUE(Playing(once));
    System().Advance(0.125f);
    EXPECT_FALSE(Playing(once));
    EXPECT_EQ(kSoundStaleVoice, System().SetVolume(once, 0.5f));
    System().Advance(1000.0f);
    EXPECT_TRUE(Playing(looped));
    // Twenty voices: a free one first, then the one that played longest is taken over.
    std::vector<ChannelHandle> plays{looped};
    for (int i = 1; i < 20; ++i) {
        plays.push_back(Play(music));
        System().Advance(0.01f);
    }
    EXPECT_EQ(once.Voice, plays[1].Voice);
    ASSERT_EQ(kSoundOk, System().SetVolume(plays[0], 0.25f));
    const ChannelHandle newest = Play(music);
    EXPECT_EQ(plays[0].Voice, newest.Voice);
    EXPECT_FALSE(Playing(plays[0]));
    EXPECT_EQ(1.0f, Volume(newest));  // not the volume of the play it replaced
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (auto [set, expected] : {std::pair{0.3f, 0.3f}, {1.5f, 1.0f}, {nan, 0.0f}}) {
        System().SetVolume(newest, set);
        EXPECT_EQ(expected, Volume(newest)) << set;
    }
    // Releasing a sound ends its plays; foreign handles fail.
    sound_->Sounds.erase("music.wav");
    ASSERT_EQ(kSoundOk, System().ReleaseSound(music));
    EXPECT_FALSE(Playing(newest));
    ChannelHandle none;
    EXPECT_EQ(kSoundStaleVoice, System().PlaySound(music, false, &none));
    EXPECT_EQ(kSoundStaleVoice, System().SetVolume(ChannelHandle{99, 1}, 0.5f));
}

// A sound added again stayed loaded until shutdown: music added per stage entry piled up.
TEST_F(SoundTest, SoundsLoadedAgainGoWhenTheirPlaysEnd) {
    Sound* first = Loaded("shot.wav");
    sound_->Play("shot.wav", 1.0f, false);
    sound_->Add("shot.wav");
    Sound* second = Loaded("shot.wav");
    sound_->Play("shot.wav", 1.0f, true);
    sound_->Update(0.25f);
    EXPECT_EQ(kSoundOk, System().SetLooping(first, false));  // still playing
    sound_->Update(0.5f);
    EXPECT_EQ(kSoundStaleVoice, System().SetLooping(first, false));
    // A looping play keeps its sound, even after a stop meant for the newest play.
    sound_->Add("shot.wav");
    sound_->Play("shot.wav", 1.0f, false);
    sound_->Stop("shot.wav");
    sound_->Update(5.0f);
    EXPECT_EQ(kSoundOk, System().SetLooping(second, true));
}

// Lengths time the silent system's voices: the formats games use and odd shapes of real files.
TEST(SoundFileTest, LengthsComeFromTheHeaders) {
    TempGame game;
    auto length = [&game](const std::string& path, const std::string& content) {
        game.Write(path, content);
        double seconds = -1.0;
        EXPECT_EQ(kSoundOk, ReadSoundLength(path, &seconds)) << path;
        return seconds;
    };
    // Chunks before the data are stepped over; data claimed beyond the file is not there.
    EXPECT_DOUBLE_EQ(
        0.25, length("list.wav", Wav(48000, 2, 32, 12000, 3, "LIST" + Le(3, 4) + "abc" + '\0')));
    EXPECT_DOUBLE_EQ(0.25, length("cut.wav", Wav(8000, 1, 8, 2000, 1, "", 1000000)));
    // MP3 at 128 kbit/s, 44.1 kHz: 417-byte frames, counted or read from a Xing header.
    const std::string frame = "\xFF\xFB\x90" + std::string(414, '\0');
    std::string cbr = frame + frame + frame + frame + frame;
    cbr += cbr;
    EXPECT_DOUBLE_EQ(4170 * 8 / 128000.0, length("cbr.mp3", cbr));
    std::string xing = frame;
    xing.replace(36, 12, "Xing" + Le(1, 4, true) + Le(100, 4, true));
    EXPECT_DOUBLE_EQ(100 * 1152 / 44100.0,
                     length("vbr.mp3", "ID3\x04" + std::string(2, '\0') + Le(5, 4, true) + "title" +
                                           xing + cbr));
    double seconds = 0.0;
    EXPECT_EQ(kSoundFileMissing, ReadSoundLength(".", &seconds));
}

// The mixer holds the device once and plays in real time; without a device the game runs
// silent and says why.
TEST(AudioDeviceTest, MixerOnTheDummyDriverAndSilenceWithoutOne) {
    TempGame game;
    game.Write("blip.wav", Wav(22050, 1, 16, 1102));  // 50 ms
    std::unique_ptr<SoundSystem> system, second;
    std::string error;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!CreateMixerSoundSystem(&system, &error)) {
        unsetenv("SDL_AUDIODRIVER");
        GTEST_SKIP() << "no dummy audio driver: " << error;
    }
    EXPECT_FALSE(CreateMixerSoundSystem(&second, &error));
    ASSERT_EQ(kSoundOk, system->Init(20));
    Sound* blip = nullptr;
    ASSERT_EQ(kSoundOk, system->CreateSound("blip.wav", &blip));
    ChannelHandle once;
    ASSERT_EQ(kSoundOk, system->PlaySound(blip, false, &once));
    bool playing = true;
    for (int wait = 0; wait < 300 && playing; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        system->IsPlaying(once, &playing);
    }
    EXPECT_FALSE(playing) << "a 50 ms play still runs after 3 s";
    system.reset();  // closes the device, which can then be held again
    EXPECT_TRUE(CreateMixerSoundSystem(&second, &error)) << error;
    second.reset();
    setenv("SDL_AUDIODRIVER", "velmora-no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kSoundOk, SoundSystemCreate(true, &system));
    const std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_NE(nullptr, system);
    EXPECT_EQ(kSoundOk, system->Init(20));
    EXPECT_EQ(0u, said.find("velmora: no audio device (")) << said;
}

}  // namespace
}  // namespace Velmora::Testing
