#include "platform/VoiceSoundSystem.h"

#include <algorithm>
#include <cmath>

#include "platform/SoundFile.h"

namespace Velmora::Platform {

namespace {

// The library's volume range; what is set inside it reads back unchanged.
float ClampVolume(float volume) {
    if (std::isnan(volume) || volume < 0.0f) {
        return 0.0f;
    }
    return std::min(volume, 1.0f);
}

}  // namespace

SoundResult VoiceSoundSystem::Init(int voices) {
    if (closed_) {
        return kSoundNotStarted;
    }
    if (initialised_) {
        return kSoundOk;
    }
    if (voices <= 0 || voices > 4096) {
        return kSoundBadArgument;
    }
    const SoundResult result = OpenVoices(voices);
    if (result != kSoundOk) {
        return result;
    }
    voices_.assign(static_cast<std::size_t>(voices), Voice{});
    initialised_ = true;
    return kSoundOk;
}

SoundResult VoiceSoundSystem::CreateSound(const std::string& path, Sound** sound) {
    if (sound == nullptr) {
        return kSoundBadArgument;
    }
    *sound = nullptr;
    if (!initialised_) {
        return kSoundNotStarted;
    }
    double length = 0.0;
    SoundResult result = ReadSoundLength(path, &length);
    if (result != kSoundOk) {
        return result;
    }
    if (length * kOutputRate * kOutputChannels * kOutputSampleBytes > kMaxDecodedSoundBytes) {
        return kSoundOutOfMemory;
    }
    std::unique_ptr<Sample> sample;
    result = LoadSample(path, length, &sample);
    if (result != kSoundOk) {
        return result;
    }
    sample->Length = length;
    sample->Loop = false;
    *sound = sample.get();
    samples_.push_back(std::move(sample));
    return kSoundOk;
}

SoundResult VoiceSoundSystem::SetLooping(Sound* sound, bool loop) {
    auto found =
        std::find_if(samples_.begin(), samples_.end(),
                     [sound](const std::unique_ptr<Sample>& s) { return s.get() == sound; });
    if (sound == nullptr || found == samples_.end()) {
        return kSoundStaleVoice;
    }
    // Plays already running keep the mode they started with.
    (*found)->Loop = loop;
    return kSoundOk;
}

SoundResult VoiceSoundSystem::PlaySound(Sound* sound, bool paused, ChannelHandle* channel) {
    if (channel == nullptr) {
        return kSoundBadArgument;
    }
    *channel = ChannelHandle{};
    if (!initialised_) {
        return kSoundNotStarted;
    }
    auto found =
        std::find_if(samples_.begin(), samples_.end(),
                     [sound](const std::unique_ptr<Sample>& s) { return s.get() == sound; });
    if (sound == nullptr || found == samples_.end()) {
        return kSoundStaleVoice;
    }
    const int index = ChooseVoice();
    Voice& voice = voices_[static_cast<std::size_t>(index)];
    if (voice.Live) {
        HaltVoice(index);
    }
    voice.Live = false;
    // A voice keeps its output volume between plays; a new play starts at full volume.
    ApplyVolume(index, 1.0f);
    const SoundResult result = StartVoice(index, **found, paused);
    if (result != kSoundOk) {
        voice.Source = nullptr;
        return result;
    }
    voice.Serial = nextSerial_++;
    if (nextSerial_ == 0) {
        nextSerial_ = 1;  // 0 marks a voice that never played
    }
    voice.Live = true;
    voice.Volume = 1.0f;
    voice.Source = found->get();
    *channel = ChannelHandle{index, voice.Serial};
    return kSoundOk;
}

SoundResult VoiceSoundSystem::SetVolume(ChannelHandle channel, float volume) {
    const int index = Find(channel);
    if (index < 0) {
        return kSoundStaleVoice;
    }
    Voice& voice = voices_[static_cast<std::size_t>(index)];
    voice.Volume = ClampVolume(volume);
    ApplyVolume(index, voice.Volume);
    return kSoundOk;
}

SoundResult VoiceSoundSystem::GetVolume(ChannelHandle channel, float* volume) {
    if (volume == nullptr) {
        return kSoundBadArgument;
    }
    const int index = Find(channel);
    if (index < 0) {
        return kSoundStaleVoice;
    }
    *volume = voices_[static_cast<std::size_t>(index)].Volume;
    return kSoundOk;
}

SoundResult VoiceSoundSystem::Stop(ChannelHandle channel) {
    const int index = Find(channel);
    if (index < 0) {
        return kSoundStaleVoice;
    }
    HaltVoice(index);
    voices_[static_cast<std::size_t>(index)].Live = false;
    return kSoundOk;
}

SoundResult VoiceSoundSystem::IsPlaying(ChannelHandle channel, bool* playing) {
    if (playing == nullptr) {
        return kSoundBadArgument;
    }
    *playing = Find(channel) >= 0;
    return *playing ? kSoundOk : kSoundStaleVoice;
}

bool VoiceSoundSystem::IsSoundPlaying(Sound* sound) {
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        Voice& voice = voices_[i];
        if (voice.Source == sound && voice.Live && sound != nullptr) {
            if (VoiceRunning(static_cast<int>(i))) {
                return true;
            }
            voice.Live = false;
        }
    }
    return false;
}

SoundResult VoiceSoundSystem::ReleaseSound(Sound* sound) {
    auto found =
        std::find_if(samples_.begin(), samples_.end(),
                     [sound](const std::unique_ptr<Sample>& s) { return s.get() == sound; });
    if (sound == nullptr || found == samples_.end()) {
        return kSoundStaleVoice;
    }
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        Voice& voice = voices_[i];
        if (voice.Source != found->get()) {
            continue;
        }
        if (voice.Live) {
            HaltVoice(static_cast<int>(i));
            voice.Live = false;
        }
        voice.Source = nullptr;
    }
    samples_.erase(found);
    return kSoundOk;
}

SoundResult VoiceSoundSystem::Update() {
    return initialised_ ? kSoundOk : kSoundNotStarted;
}

SoundResult VoiceSoundSystem::Close() {
    if (closed_) {
        return kSoundOk;
    }
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        if (voices_[i].Live) {
            HaltVoice(static_cast<int>(i));
        }
    }
    voices_.clear();
    // Also the samples a name was loaded into before it was loaded again.
    samples_.clear();
    CloseOutput();
    closed_ = true;
    initialised_ = false;
    return kSoundOk;
}

void VoiceSoundSystem::CloseIfOpen() {
    if (!closed_) {
        Close();
    }
}

int VoiceSoundSystem::Find(ChannelHandle channel) {
    if (!initialised_ || channel.Voice < 0 || channel.Voice >= static_cast<int>(voices_.size()) ||
        channel.Serial == 0) {
        return -1;
    }
    Voice& voice = voices_[static_cast<std::size_t>(channel.Voice)];
    if (voice.Serial != channel.Serial || !voice.Live) {
        return -1;
    }
    if (!VoiceRunning(channel.Voice)) {
        voice.Live = false;
        return -1;
    }
    return channel.Voice;
}

int VoiceSoundSystem::ChooseVoice() {
    int oldest = 0;
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        Voice& voice = voices_[i];
        if (voice.Live && !VoiceRunning(static_cast<int>(i))) {
            voice.Live = false;
        }
        if (!voice.Live) {
            return static_cast<int>(i);
        }
        if (voice.Serial < voices_[static_cast<std::size_t>(oldest)].Serial) {
            oldest = static_cast<int>(i);
        }
    }
    return oldest;
}

}  // namespace Velmora::Platform
