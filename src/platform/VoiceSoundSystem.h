#pragma once
// The bookkeeping both sound systems share, so the silent one keeps voices, handles,
// volumes and take-overs exactly as the mixer does: which voice a play gets, when a
// handle goes stale, what a volume reads back as. The implementations only load
// samples and drive (or pretend to drive) the voices.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SoundSystem.h"

namespace Velmora::Platform {

class VoiceSoundSystem : public SoundSystem {
public:
    ~VoiceSoundSystem() override = default;

    SoundResult Init(int voices) final;
    SoundResult CreateSound(const std::string& path, Sound** sound) final;
    SoundResult SetLooping(Sound* sound, bool loop) final;
    SoundResult PlaySound(Sound* sound, bool paused, ChannelHandle* channel) final;
    SoundResult SetVolume(ChannelHandle channel, float volume) final;
    SoundResult GetVolume(ChannelHandle channel, float* volume) final;
    SoundResult Stop(ChannelHandle channel) final;
    SoundResult IsPlaying(ChannelHandle channel, bool* playing) final;
    bool IsSoundPlaying(Sound* sound) final;
    SoundResult ReleaseSound(Sound* sound) final;
    SoundResult Update() override;
    SoundResult Close() final;

protected:
    // A loaded file; implementations derive their own to hold the decoded data.
    class Sample : public Sound {
    public:
        double Length = 0.0;  // seconds of one play
        bool Loop = false;
    };

    // Loads path, known to exist and to be of a supported format lasting length s.
    virtual SoundResult LoadSample(const std::string& path, double length,
                                   std::unique_ptr<Sample>* sample) = 0;
    virtual SoundResult OpenVoices(int count) = 0;
    virtual SoundResult StartVoice(int voice, Sample& sample, bool paused) = 0;
    virtual void HaltVoice(int voice) = 0;
    // False once the voice has come to its end by itself.
    virtual bool VoiceRunning(int voice) = 0;
    virtual void ApplyVolume(int voice, float volume) = 0;
    // Called by Close once every sample is gone.
    virtual void CloseOutput() = 0;

    // Closes if the implementation's destructor has not yet; they call it first thing.
    void CloseIfOpen();

private:
    struct Voice {
        std::uint32_t Serial = 0;  // of the play that owns the voice; 0: never played
        bool Live = false;
        float Volume = 1.0f;
        Sample* Source = nullptr;
    };

    // The voice the handle names, or -1 when the handle is unset or stale.
    int Find(ChannelHandle channel);
    int ChooseVoice();

    bool initialised_ = false;
    bool closed_ = false;
    std::vector<Voice> voices_;
    std::vector<std::unique_ptr<Sample>> samples_;
    std::uint32_t nextSerial_ = 1;
};

}  // namespace Velmora::Platform
