#pragma once
// The game's sounds by name: loaded from res/sound/, played, stopped and faded.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/SoundSystem.h"

namespace Velmora {

enum SoundFade { FadeNone = 0, FadeIn = 1, FadeOut = 2 };

struct SoundEntry {
    Platform::Sound* Sound = nullptr;
    Platform::ChannelHandle Channel;
    int Fade = FadeNone;
};

class SoundController {
public:
    SoundController() = default;
    ~SoundController();
    SoundController(const SoundController&) = delete;
    SoundController& operator=(const SoundController&) = delete;

    // Throws Exception("FMOD error! (<code>) <description><file>\n") on any failure;
    // file names the sound it was about, if any.
    static void CheckResult(Platform::SoundResult result, const std::string& file = "");

    // The name includes the file's extension; a failed load leaves the entry without
    // a sound. Play, Stop and the fades act on the newest play of a name; earlier plays
    // run on to their end. Update ages the voices by frameTime and runs the fades.
    void Add(const std::string& name);
    void Play(const std::string& name, float volume, bool loop);
    void Stop(const std::string& name);
    void FadeIn(const std::string& name, bool loop);
    void FadeOut(const std::string& name);
    void Update(float frameTime);
    void SetPaused(bool paused);

    std::unique_ptr<Platform::SoundSystem> System;
    std::map<std::string, SoundEntry> Sounds;

private:
    // The entry of a name; null for a name never used. Calls on such names do nothing.
    SoundEntry* Find(const std::string& name);

    // Sounds a name was loaded into before it was loaded again: their plays go on to
    // their end, and then Update releases them, so games that add their sounds on
    // every stage entry do not pile them up.
    std::vector<Platform::Sound*> replaced_;
};

}  // namespace Velmora
