// velmora_file_fuzz: feeds generated and mutated files to the engine's readers for a
// bounded time, after replaying every input kept in the corpus folders.
//
//   velmora_file_fuzz [--seconds S] [--seed N] [--target NAME] [--corpus DIR]...
//                     [--save DIR] [--iteration I [--dump]] [FILE...]
//
// --corpus DIR replays DIR/<target>/* first; FILE arguments replay single inputs of
// --target. --iteration I runs only generated input I of --seed (to repeat a failure);
// with --dump it writes that input to --save instead of running it.
// Inputs that fail a check are written to --save (default fuzz-failures); on a crash
// the input under test is written there as <target>-crash.bin, and last-input.txt
// there names it (also after a sanitizer report).
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "FileFuzz.h"
#include "platform/Screen.h"
#include "platform/SoundSystem.h"

namespace fs = std::filesystem;
using namespace Velmora::Fuzz;

namespace {

// What is under test, for the crash handler (plain buffers: it may only call write).
char g_crashPath[4096];
const std::string* g_current = nullptr;

// A sanitizer report ends the process without a signal that could be caught, so the
// name of every input is written, before it runs, into a mapped file that outlives
// the process: after a crash it says which input to repeat.
class LastInputNote {
public:
    explicit LastInputNote(const fs::path& path) : path_(path) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0 && ftruncate(fd, kSize) == 0) {
            void* map = mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            text_ = map == MAP_FAILED ? nullptr : static_cast<char*>(map);
        }
        if (fd >= 0) {
            close(fd);
        }
    }
    ~LastInputNote() {
        if (text_ != nullptr) {
            munmap(text_, kSize);
        }
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    template <typename... Args>
    void Write(const char* format, Args... args) {
        if (text_ != nullptr) {
            std::memset(text_, 0, kSize);
            const int n = std::snprintf(text_, kSize, format, args...);
            if (n >= 0 && n < kSize) {
                text_[n] = '\n';
            }
        }
    }

private:
    static constexpr int kSize = 4096;
    fs::path path_;
    char* text_ = nullptr;
};

void SaveCurrentInput() {
    if (g_current != nullptr && g_crashPath[0] != '\0') {
        const int fd = open(g_crashPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            const char* data = g_current->data();
            std::size_t left = g_current->size();
            while (left > 0) {
                const ssize_t n = write(fd, data, left);
                if (n <= 0) {
                    break;
                }
                data += n;
                left -= static_cast<std::size_t>(n);
            }
            close(fd);
            const char note[] = "velmora_file_fuzz: the input under test is saved in ";
            (void)!write(2, note, sizeof(note) - 1);
            (void)!write(2, g_crashPath, std::strlen(g_crashPath));
            (void)!write(2, "\n", 1);
        }
    }
}

void OnCrash(int signal) {
    SaveCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Runner {
    fs::path save = fs::absolute("fuzz-failures");

    bool RunOne(const Target& target, const std::string& input, const std::string& label) {
        const std::string crash = (save / (std::string(target.Name) + "-crash.bin")).string();
        std::snprintf(g_crashPath, sizeof(g_crashPath), "%s", crash.c_str());
        g_current = &input;
        std::string why;
        const bool ok = target.Run(input, &why);
        g_current = nullptr;
        if (!ok) {
            const fs::path kept = save / (std::string(target.Name) + "-" + label + ".bin");
            std::ofstream(kept, std::ios::binary) << input;
            std::printf("file fuzz: %s input %s failed: %s\n  kept in %s\n", target.Name,
                        label.c_str(), why.c_str(), kept.string().c_str());
        }
        return ok;
    }
};

const Target* FindTarget(const std::string& name) {
    for (const Target& target : Targets()) {
        if (name == target.Name) {
            return &target;
        }
    }
    return nullptr;
}

std::uint64_t IterationSeed(std::uint64_t seed, std::size_t target, std::uint64_t iteration) {
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + target * 0xBF58476D1CE4E5B9ull + iteration;
    x ^= x >> 31;
    return x * 0x94D049BB133111EBull;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10.0;
    std::uint64_t seed = 1;
    long long onlyIteration = -1;
    bool dump = false;
    std::string only;
    std::vector<std::string> corpora;
    std::vector<std::string> files;
    Runner runner;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue) {
            seconds = std::atof(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--target" && hasValue) {
            only = argv[++i];
        } else if (arg == "--corpus" && hasValue) {
            corpora.push_back(fs::absolute(argv[++i]).string());
        } else if (arg == "--save" && hasValue) {
            runner.save = fs::absolute(argv[++i]);
        } else if (arg == "--iteration" && hasValue) {
            onlyIteration = std::atoll(argv[++i]);
        } else if (arg == "--dump") {
            dump = true;
        } else if (!arg.empty() && arg[0] != '-') {
            files.push_back(fs::absolute(arg).string());
        } else {
            std::fprintf(stderr, "velmora_file_fuzz: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (!only.empty() && FindTarget(only) == nullptr) {
        std::fprintf(stderr, "velmora_file_fuzz: no target %s\n", only.c_str());
        return 2;
    }
    fs::create_directories(runner.save);

    // Everything runs in a throw-away folder: the targets write game files into it.
    // Thousands of small files are written each second: memory, where there is some.
    const char* base = std::getenv("TMPDIR");
    std::string pattern = (base != nullptr && *base != '\0') ? base
                          : fs::is_directory("/dev/shm")     ? "/dev/shm"
                                                             : "/tmp";
    pattern += "/velmora-file-fuzz-XXXXXX";
    const char* work = mkdtemp(pattern.data());
    if (work == nullptr || chdir(work) != 0) {
        std::perror("velmora_file_fuzz: temporary folder");
        return 2;
    }
    Velmora::Platform::SetAudioOutputEnabled(false);
    Velmora::g_screenWidth = 450;
    Velmora::g_screenHeight = 600;
    std::signal(SIGABRT, OnCrash);
#if !defined(__SANITIZE_ADDRESS__)
    std::signal(SIGSEGV, OnCrash);
    std::signal(SIGBUS, OnCrash);
    std::signal(SIGFPE, OnCrash);
#endif

    LastInputNote note(runner.save / "last-input.txt");
    int status = 0;
    auto finish = [&]() {
        std::error_code ignored;
        fs::current_path("/", ignored);
        fs::remove_all(work, ignored);
        return status;
    };

    std::map<std::string, long> counts;
    for (const std::string& file : files) {
        const Target* target = FindTarget(only.empty() ? "scripts" : only);
        ++counts[target->Name];
        if (!runner.RunOne(*target, ReadAll(file), fs::path(file).filename().string())) {
            status = 1;
        }
    }
    for (const std::string& corpus : corpora) {
        for (const Target& target : Targets()) {
            const fs::path dir = fs::path(corpus) / target.Name;
            if ((!only.empty() && only != target.Name) || !fs::is_directory(dir)) {
                continue;
            }
            std::vector<fs::path> kept;
            for (const auto& entry : fs::directory_iterator(dir)) {
                kept.push_back(entry.path());
            }
            std::sort(kept.begin(), kept.end());
            for (const fs::path& path : kept) {
                note.Write("velmora_file_fuzz --target %s %s", target.Name, path.c_str());
                ++counts[std::string(target.Name) + " (corpus)"];
                if (!runner.RunOne(target, ReadAll(path), "corpus-" + path.filename().string())) {
                    status = 1;
                }
            }
        }
    }
    if (status != 0 || !files.empty()) {
        return finish();
    }

    // Each target gets an equal share of the time: the next input goes to the target
    // that has used the least so far.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::vector<double> spent(Targets().size(), 0.0);
    std::vector<std::uint64_t> iterations(Targets().size(), 0);
    while (std::chrono::duration<double>(Clock::now() - start).count() < seconds ||
           onlyIteration >= 0) {
        std::size_t next = 0;
        for (std::size_t t = 0; t < Targets().size(); ++t) {
            if (!only.empty() && only != Targets()[t].Name) {
                spent[t] = 1e300;
            }
            if (spent[t] < spent[next]) {
                next = t;
            }
        }
        const Target& target = Targets()[next];
        const std::uint64_t iteration =
            onlyIteration >= 0 ? static_cast<std::uint64_t>(onlyIteration) : iterations[next];
        Rng rng(IterationSeed(seed, next, iteration));
        note.Write("velmora_file_fuzz --target %s --seed %llu --iteration %llu", target.Name,
                   static_cast<unsigned long long>(seed),
                   static_cast<unsigned long long>(iteration));
        const Clock::time_point began = Clock::now();
        const std::string input = target.Generate(rng);
        if (dump) {
            const fs::path path =
                runner.save / (std::string(target.Name) + "-" + std::to_string(seed) + "-" +
                               std::to_string(iteration) + ".bin");
            std::ofstream(path, std::ios::binary) << input;
            std::printf("%s\n", path.string().c_str());
            return finish();
        }
        const bool ok =
            runner.RunOne(target, input, std::to_string(seed) + "-" + std::to_string(iteration));
        spent[next] += std::chrono::duration<double>(Clock::now() - began).count();
        ++iterations[next];
        ++counts[target.Name];
        if (!ok) {
            std::printf("  repeat: velmora_file_fuzz --target %s --seed %llu --iteration %llu\n",
                        target.Name, static_cast<unsigned long long>(seed),
                        static_cast<unsigned long long>(iteration));
            status = 1;
            break;
        }
        if (onlyIteration >= 0) {
            break;
        }
    }
    std::printf("file fuzz: seed %llu, %.1f s:", static_cast<unsigned long long>(seed),
                std::chrono::duration<double>(Clock::now() - start).count());
    for (const auto& entry : counts) {
        std::printf(" %s %ld,", entry.first.c_str(), entry.second);
    }
    std::printf(" %s\n", status == 0 ? "no failure" : "FAILED");
    return finish();
}
