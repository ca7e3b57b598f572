#include <cmath>
#include <vector>

#include "platform/VoiceSoundSystem.h"

namespace Velmora::Platform {

namespace {

// Plays nothing, but keeps every voice as the mixer would: a play lasts as long as its
// file, by the game clock that Advance feeds; a looped play never ends.
class SilentSoundSystem : public VoiceSoundSystem {
public:
    ~SilentSoundSystem() override { CloseIfOpen(); }

    void Advance(float seconds) override {
        if (!(seconds > 0.0f) || std::isinf(seconds)) {
            return;
        }
        for (VoiceClock& clock : clocks_) {
            if (!clock.Paused) {
                clock.Elapsed += seconds;
            }
        }
    }

protected:
    SoundResult LoadSample(const std::string&, double, std::unique_ptr<Sample>* sample) override {
        *sample = std::make_unique<Sample>();
        return kSoundOk;
    }
    SoundResult OpenVoices(int count) override {
        clocks_.assign(static_cast<std::size_t>(count), VoiceClock{});
        return kSoundOk;
    }
    SoundResult StartVoice(int voice, Sample& sample, bool paused) override {
        clocks_[static_cast<std::size_t>(voice)] =
            VoiceClock{0.0, sample.Length, sample.Loop, paused};
        return kSoundOk;
    }
    void HaltVoice(int) override {}
    bool VoiceRunning(int voice) override {
        const VoiceClock& clock = clocks_[static_cast<std::size_t>(voice)];
        return clock.Loop || clock.Elapsed < clock.Length;
    }
    void ApplyVolume(int, float) override {}
    void CloseOutput() override { clocks_.clear(); }

private:
    struct VoiceClock {
        double Elapsed = 0.0;
        double Length = 0.0;
        bool Loop = false;
        bool Paused = false;
    };
    std::vector<VoiceClock> clocks_;
};

}  // namespace

std::unique_ptr<SoundSystem> CreateSilentSoundSystem() {
    return std::make_unique<SilentSoundSystem>();
}

}  // namespace Velmora::Platform
