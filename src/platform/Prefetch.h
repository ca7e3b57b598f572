#pragma once
// Files decoded ahead on a thread of their own: while the engine waits on the window
// and the audio device, the other core decodes the pictures and sounds a game will
// most likely declare first. A request takes the decoded result only when the file
// is unchanged since it was read (same inode, size and modification time), so it gets
// exactly what decoding the file there and then would give; otherwise, or when the
// thread has not come to the file yet, the caller decodes it itself.
#include <sys/stat.h>

#include <condition_variable>
#include <cstddef>
#include <ctime>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/FileStamp.h"

namespace Velmora::Platform {

template <typename Result>
class Prefetch {
public:
    // Fills the result for a path and says how many bytes it holds.
    using Decoder = std::function<std::size_t(const std::string& path, Result& result)>;

    // Decodes the files list gives, in its order, until their bytes reach mostBytes.
    // Results never taken are destroyed with the object.
    Prefetch(std::function<std::vector<std::string>()> list, Decoder decode, std::size_t mostBytes)
        : decode_(std::move(decode)) {
        try {
            worker_ = std::thread([this, list = std::move(list), mostBytes] {
                // Out of memory here, the files are left to their callers, who meet it
                // where they always did.
                try {
                    Work(list(), mostBytes);
                } catch (const std::exception&) {
                }
            });
        } catch (const std::system_error&) {
            // No thread to spare: every file is decoded when asked for, as it was.
        }
    }
    ~Prefetch() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        if (worker_.joinable()) {
            worker_.join();
        }
    }
    Prefetch(const Prefetch&) = delete;
    Prefetch& operator=(const Prefetch&) = delete;

    // True, with the result moved into result, when path was decoded ahead and has not
    // changed since; waits for a decoding under way. Either way the path is not
    // decoded ahead any more.
    bool Take(const std::string& path, Result& result) {
        std::unique_lock<std::mutex> lock(mutex_);
        Entry& entry = entries_[path];
        decoded_.wait(lock, [&] { return entry.At != Stage::Decoding; });
        const bool done = entry.At == Stage::Done;
        entry.At = Stage::Taken;
        if (!done) {
            return false;
        }
        Stamp before = entry.Before;
        Result kept = std::move(entry.Decoded);
        entry.Decoded = Result{};
        lock.unlock();
        Stamp now;
        if (!Look(path, &now) || now != before) {
            return false;  // kept goes: the file changed after it was read
        }
        result = std::move(kept);
        return true;
    }

private:
    using Stamp = FileStamp;
    enum class Stage { Waiting, Decoding, Done, Taken };
    struct Entry {
        Stage At = Stage::Waiting;
        Stamp Before;
        Result Decoded{};
    };

    static bool Look(const std::string& path, Stamp* stamp) {
        struct stat info {};
        if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return false;
        }
        *stamp = Stamp::Of(info);
        return true;
    }

    void Work(const std::vector<std::string>& paths, std::size_t mostBytes) {
        std::size_t bytes = 0;
        for (const std::string& path : paths) {
            std::unique_lock<std::mutex> lock(mutex_);
            if (stop_ || bytes >= mostBytes) {
                return;
            }
            Entry& entry = entries_[path];
            if (entry.At != Stage::Waiting) {
                continue;  // taken before the thread came to it
            }
            entry.At = Stage::Decoding;
            lock.unlock();
            Stamp before;
            Result decoded{};
            // A file written within the last two seconds may be written again within
            // the same tick of the file clock, unseen by its stamp: it is left alone.
            bool found = Look(path, &before) && !before.Recent();
            try {
                if (found) {
                    bytes += decode_(path, decoded);
                }
            } catch (const std::exception&) {
                found = false;  // out of memory: left to the caller, as above
            }
            lock.lock();
            entry.At = found ? Stage::Done : Stage::Taken;
            entry.Before = before;
            entry.Decoded = std::move(decoded);
            decoded_.notify_all();
        }
    }

    Decoder decode_;
    std::mutex mutex_;
    std::condition_variable decoded_;
    std::map<std::string, Entry> entries_;
    bool stop_ = false;
    std::thread worker_;  // last: it starts once everything it uses is there
};

// The regular files under folder whose extension (lower case, with its dot) is one of
// extensions, as "folder/..." paths in name order; none when the folder is missing.
std::vector<std::string> FilesUnder(const std::string& folder,
                                    const std::vector<std::string>& extensions);

}  // namespace Velmora::Platform
