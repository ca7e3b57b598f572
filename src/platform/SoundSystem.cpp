#include "platform/SoundSystem.h"

#include <cstdio>

namespace Velmora::Platform {

const char* SoundErrorString(SoundResult result) {
    switch (result) {
        case kSoundOk:
            return "No errors.";
        case kSoundNoFreeVoice:
            return "Error trying to allocate a channel. ";
        case kSoundUnreadableFile:
            return "Error loading file. ";
        case kSoundFileMissing:
            return "File not found. ";
        case kSoundUnknownFormat:
            return "Unsupported file or audio format. ";
        case kSoundStaleVoice:
            return "An invalid object handle was used. ";
        case kSoundBadArgument:
            return "An invalid parameter was passed to this function. ";
        case kSoundOutOfMemory:
            return "Not enough memory or resources. ";
        case kSoundNoOutput:
            return "Error initializing output device. ";
        case kSoundNotStarted:
            return "This command failed because System::init or System::setDriver was not called. ";
        default:
            return "Unknown error.";
    }
}

SoundResult SoundSystemCreate(bool audioOutput, std::unique_ptr<SoundSystem>* system,
                              std::string* warning) {
    if (system == nullptr) {
        return kSoundBadArgument;
    }
    if (audioOutput) {
        std::string error;
        if (CreateMixerSoundSystem(system, &error)) {
            return kSoundOk;
        }
        // A game without sound is better than no game at all.
        const std::string text =
            "velmora: no audio device (" + error + "); the game runs without sound\n";
        if (warning != nullptr) {
            *warning = text;
        } else {
            std::fputs(text.c_str(), stderr);
            std::fflush(stderr);
        }
    }
    *system = CreateSilentSoundSystem();
    return kSoundOk;
}

}  // namespace Velmora::Platform
