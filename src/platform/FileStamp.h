#pragma once
// What tells a file is still the one read before: its device, inode, size and time of
// change. File times advance in the kernel's clock ticks (and by whole seconds on some
// file systems), so a file written twice within one tick keeps its stamp: a file
// changed in the last two seconds cannot be trusted to show its next change yet.
#include <sys/stat.h>

#include <ctime>

namespace Velmora::Platform {

struct FileStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};

    static FileStamp Of(const struct stat& info) {
        return FileStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    }
    bool operator==(const FileStamp& o) const {
        return Device == o.Device && Inode == o.Inode && Size == o.Size &&
               Modified.tv_sec == o.Modified.tv_sec && Modified.tv_nsec == o.Modified.tv_nsec;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
    // Changed in the last two seconds.
    bool Recent() const {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return Modified.tv_sec + 2 >= now.tv_sec;
    }
};

}  // namespace Velmora::Platform
