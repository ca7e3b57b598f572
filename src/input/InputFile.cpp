#include "input/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "core/Numbers.h"

namespace Velmora {

namespace {

// The shortest text (from six digits on, as the stream writes numbers) that reads back
// as exactly value, so a recorded pointer position replays to the same point.
std::string ExactNumber(double value) {
    char text[40];
    for (int precision = 6; precision <= 17; ++precision) {
        std::snprintf(text, sizeof(text), "%.*g", precision, value);
        if (std::strtod(text, nullptr) == value) {
            break;
        }
    }
    return text;
}

}  // namespace

// Replays are short texts; anything larger is not one, and is refused before it is read.
constexpr off_t kMaxInputBytes = off_t{256} << 20;

// Reads the replay file whole. Only a regular file will do: a FIFO or a terminal could
// block start-up forever, and a device such as /dev/zero never ends.
bool ReadInputFile(const std::string& path, std::string& text, std::string* error) {
    // Not blocking in open, should path be a FIFO without a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot read input file " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        *error = "--input needs a regular file: " + path;
        return false;
    }
    if (info.st_size > kMaxInputBytes) {
        close(fd);
        *error = "input file " + path + " is larger than 256 MiB";
        return false;
    }
    text.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = read(fd, &text[done], text.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            *error = "cannot read input file " + path + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        if (got == 0) {
            break;  // shortened meanwhile
        }
        done += static_cast<std::size_t>(got);
    }
    text.resize(done);
    close(fd);
    return true;
}

bool ParseInputText(const std::string& text, const std::string& fileName,
                    std::vector<InputEvent>& out, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) {
            parts.push_back(word);
        }
        if (parts.empty() || parts[0][0] == '#') {
            continue;
        }
        auto fail = [&](const std::string& why) {
            if (error != nullptr) {
                *error = fileName + ":" + std::to_string(lineNumber) + ": " + why;
            }
            return false;
        };
        InputEvent event;
        long frame = 0;
        if (!ParseLong(parts[0], frame) || frame < 1) {
            return fail("expected a frame number from 1 at the start of the line");
        }
        event.Frame = frame;
        if (parts.size() == 3 && (parts[1] == "down" || parts[1] == "up")) {
            long vk = 0;
            if (!ParseLong(parts[2], vk) || vk < 1 || vk > 255) {
                return fail("expected a virtual-key code from 1 to 255");
            }
            event.Type = parts[1] == "down" ? InputEvent::Kind::Down : InputEvent::Kind::Up;
            event.Vk = static_cast<int>(vk);
        } else if (parts.size() == 4 && parts[1] == "point") {
            if (!ParseDouble(parts[2], event.X) || !ParseDouble(parts[3], event.Y)) {
                return fail("expected two numbers after 'point'");
            }
            event.Type = InputEvent::Kind::Point;
        } else {
            return fail(
                "expected '<frame> down <vk>', '<frame> up <vk>' or '<frame> point <x> <y>'");
        }
        if (!out.empty() && out.back().Frame > event.Frame) {
            return fail("frame numbers must not go down");
        }
        out.push_back(event);
    }
    return true;
}

std::string FormatInputEvent(const InputEvent& event) {
    std::ostringstream text;
    text << event.Frame << ' ';
    switch (event.Type) {
        case InputEvent::Kind::Down:
            text << "down " << event.Vk;
            break;
        case InputEvent::Kind::Up:
            text << "up " << event.Vk;
            break;
        case InputEvent::Kind::Point:
            text << "point " << ExactNumber(event.X) << ' ' << ExactNumber(event.Y);
            break;
    }
    return text.str();
}

InputRecorder::~InputRecorder() {
    std::string ignored;
    Close(&ignored);
}

bool InputRecorder::Open(const std::string& path, std::string* error) {
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    return true;
}

bool InputRecorder::Write(const InputEvent& event, std::string* error) {
    if (file_ == nullptr) {
        return true;
    }
    if (std::fprintf(file_, "%s\n", FormatInputEvent(event).c_str()) < 0 ||
        std::fflush(file_) != 0) {
        // The rest of the run would be recorded with a gap: it is not recorded at all.
        *error = std::strerror(errno);
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    return true;
}

bool InputRecorder::Close(std::string* error) {
    if (file_ == nullptr) {
        return true;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) {
        *error = std::strerror(errno);
    }
    return closed;
}

}  // namespace Velmora
