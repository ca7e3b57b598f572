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

SoundResult SoundSystemCreate(bool audioOutput, std::unique_ptr<SoundSystem>* system) {
    if (system == nullptr) {
        return kSoundBadArgument;
    }
    if (audioOutput) {
        std::string error;
        if (CreateMixerSoundSystem(system, &error)) {
            return kSoundOk;
        }
        // A game without sound is better than no game at all.
        std::fprintf(stderr, "velmora: no audio device (%s); the game runs without sound\n",
                     error.c_str());
        std::fflush(stderr);
    }
    *system = CreateSilentSoundSystem();
    return kSoundOk;
}

}  // namespace Velmora::Platform
