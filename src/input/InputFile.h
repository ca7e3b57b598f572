#pragma once
// Input files: what --input replays and --record writes, one event a line,
// "<frame> down <vk>", "<frame> up <vk>" or "<frame> point <x> <y>", frames counted
// from 1. Blank lines and lines starting with '#' are skipped.
#include <cstdio>
#include <string>
#include <vector>

namespace Velmora {

struct InputEvent {
    enum class Kind { Down, Up, Point };
    long Frame = 0;
    Kind Type = Kind::Down;
    int Vk = 0;
    double X = 0.0;
    double Y = 0.0;
};

// Reads path whole; only a regular file of at most 256 MiB. False with *error saying why.
bool ReadInputFile(const std::string& path, std::string& text, std::string* error);
// False, with *error naming the file and line, for anything but the lines above.
bool ParseInputText(const std::string& text, const std::string& fileName,
                    std::vector<InputEvent>& out, std::string* error);
std::string FormatInputEvent(const InputEvent& event);

// Writes a run's input as it happens, flushed line by line so that a run that crashes
// keeps what was played so far. Every write, flush and close is checked: the first
// failure is returned (the text of errno) and nothing more is written.
class InputRecorder {
public:
    InputRecorder() = default;
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // False, with *error set, when the file cannot be made.
    bool Open(const std::string& path, std::string* error);
    bool IsOpen() const { return file_ != nullptr; }
    // False, with *error set, when the line could not be written; the recorder closes.
    bool Write(const InputEvent& event, std::string* error);
    // False, with *error set, when closing lost what was written.
    bool Close(std::string* error);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace Velmora
