#include "clean_spawner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace bench {
namespace {

struct Reply {
    int ok;
    rusage usage;
};

bool readAll(int fd, void* to, std::size_t n) {
    auto* p = static_cast<char*>(to);
    while (n > 0) {
        const ssize_t got = ::read(fd, p, n);
        if (got <= 0) return false;
        p += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool writeAll(int fd, const void* from, std::size_t n) {
    const auto* p = static_cast<const char*>(from);
    while (n > 0) {
        const ssize_t put = ::write(fd, p, n);
        if (put <= 0) return false;
        p += put;
        n -= static_cast<std::size_t>(put);
    }
    return true;
}

Reply spawnAndWait(std::vector<std::string>& words) {
    const std::string outFile = words.front();
    std::vector<char*> argv;
    for (std::size_t i = 1; i < words.size(); ++i) argv.push_back(words[i].data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Reply reply{};
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        reply.ok = ::wait4(pid, &status, 0, &reply.usage) == pid && WIFEXITED(status) &&
                   WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return reply;
}

// The helper's loop: a request is a count and NUL-ended words (the output
// file, then the arguments); the reply is a Reply.
[[noreturn]] void serve(int in, int out) {
    for (;;) {
        std::uint32_t bytes = 0;
        if (!readAll(in, &bytes, sizeof bytes)) std::_Exit(0);
        std::string request(bytes, '\0');
        if (!readAll(in, request.data(), bytes)) std::_Exit(0);
        std::vector<std::string> words;
        for (std::size_t at = 0; at < request.size();) {
            const std::size_t nul = request.find('\0', at);
            words.push_back(request.substr(at, nul - at));
            at = nul + 1;
        }
        const Reply reply = spawnAndWait(words);
        if (!writeAll(out, &reply, sizeof reply)) std::_Exit(0);
    }
}

}  // namespace

CleanSpawner& CleanSpawner::instance() {
    static CleanSpawner spawner;
    return spawner;
}

CleanSpawner::CleanSpawner() {
    int request[2], reply[2];
    if (::pipe2(request, O_CLOEXEC) != 0 || ::pipe2(reply, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make the helper's pipes");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("cannot start the helper");
    if (pid == 0) {
        ::close(request[1]);
        ::close(reply[0]);
        serve(request[0], reply[1]);
    }
    ::close(request[0]);
    ::close(reply[1]);
    toHelper_ = request[1];
    fromHelper_ = reply[0];
    // The helper ends when the benchmark closes its pipe, at exit.
}

rusage CleanSpawner::run(const std::vector<std::string>& args, const std::string& outFile) {
    std::string request = outFile + '\0';
    for (const std::string& a : args) request += a + '\0';
    const auto bytes = static_cast<std::uint32_t>(request.size());
    Reply reply{};
    if (!writeAll(toHelper_, &bytes, sizeof bytes) ||
        !writeAll(toHelper_, request.data(), request.size()) ||
        !readAll(fromHelper_, &reply, sizeof reply))
        throw std::runtime_error("the helper that starts programs is gone");
    if (!reply.ok) throw std::runtime_error(args.front() + " failed on " + args.back());
    return reply.usage;
}

}  // namespace bench
