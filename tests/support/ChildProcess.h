#pragma once
// Work done in a forked child under limits a test cannot put on itself: a
// file-size limit (RLIMIT_FSIZE) and an unprivileged user, so that saving fails
// for real. What the child writes to its output comes back to the test.

#include <cerrno>
#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

struct ChildLimits
{
    std::optional<rlim_t> fileSizeBytes; // RLIMIT_FSIZE
    bool unprivileged = false;           // run as "nobody" when the test runs as root
};

struct ChildResult
{
    int exitStatus = -1; // -1 when the child ended by a signal
    int signal = 0;
    std::string output; // stdout and stderr of the child
};

// The user id the unprivileged child runs as: nobody when the tests run as
// root (who may write anywhere), the test's own user otherwise.
inline uid_t unprivilegedUser()
{
    return ::geteuid() == 0 ? 65534 : ::geteuid();
}

namespace detail {

inline bool applyLimits(const ChildLimits& limits)
{
    if (limits.fileSizeBytes) {
        const rlimit limit{*limits.fileSizeBytes, *limits.fileSizeBytes};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return false;
        }
    }
    if (limits.unprivileged && ::geteuid() == 0) {
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
            return false;
        }
    }
    return true;
}

inline ChildResult collect(pid_t child, int readEnd)
{
    ChildResult result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(readEnd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(readEnd);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

} // namespace detail

// Runs `body` in a forked child under `limits`; the text it returns is the
// child's output. SIGXFSZ is ignored in the child, as the program's main() does,
// so that the size limit fails a write instead of ending the process. Exit
// status 125 means the limits could not be applied.
inline ChildResult runInChild(const ChildLimits& limits, const std::function<std::string()>& body)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        if (!detail::applyLimits(limits)) {
            ::_exit(125);
        }
        const std::string text = body();
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(pipeEnds[1], text.data() + done, text.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return {};
    }
    return detail::collect(child, pipeEnds[0]);
}

// Runs the program `path` with `arguments` as a whole process under `limits`.
// SIGXFSZ has its default action in the child, so the program must ignore it
// itself for a save past the size limit to be reported rather than end it.
inline ChildResult runProgram(const std::string& path, const std::vector<std::string>& arguments,
                              const ChildLimits& limits)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return {};
    }
    std::vector<std::string> words{path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[1]);
        std::signal(SIGXFSZ, SIG_DFL);
        if (!detail::applyLimits(limits)) {
            ::_exit(125);
        }
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return {};
    }
    return detail::collect(child, pipeEnds[0]);
}

} // namespace qv::test
