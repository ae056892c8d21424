#pragma once
// A flush to the disk that fails on demand: the program's calls to fsync and
// fdatasync (and Qt's) reach these instead of the C library's. Include it in
// one file of a test program; a test sets the error in a forked child only.

#include <atomic>
#include <cerrno>

#include <sys/syscall.h>
#include <unistd.h>

namespace qv::test {

// The error the flush reports while set; 0 lets every flush through.
inline std::atomic<int> failingSyncError{0};

inline int syncOrFail(long call, int fd)
{
    if (const int error = failingSyncError.load()) {
        errno = error;
        return -1;
    }
    return static_cast<int>(::syscall(call, fd));
}

} // namespace qv::test

extern "C" int fsync(int fd)
{
    return qv::test::syncOrFail(SYS_fsync, fd);
}
extern "C" int fdatasync(int fd)
{
    return qv::test::syncOrFail(SYS_fdatasync, fd);
}
