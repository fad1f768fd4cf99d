// Child processes and the environment of tests on POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "test_support.h"

namespace vk_test {

namespace fs = std::filesystem;

void setEnvironment(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

bool makeFifo(const fs::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + utf8(path));
    return true;
}

bool canMakeSymlinks(const fs::path&) {
    return true;
}

bool canLimitMemory() {
    return true;
}

void limitMemory(std::size_t bytes) {
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_AS, &limit);
}

const char* nullDevice() {
    return "/dev/null";
}

SmallDisk::SmallDisk(const fs::path& at) : at_(at) {
    fs::create_directories(at_);
    mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=1m") == 0;
    why_ = mounted_ ? "" : std::strerror(errno);
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
}

void SmallDisk::fill(const fs::path& file) const {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

StartedProgram startProgram(const std::string& program, const std::vector<std::string>& args,
                            const fs::path& workingFolder,
                            const std::map<std::string, std::string>& environment,
                            const std::function<void()>& inChild, const fs::path& outputFolder) {
    const fs::path folder = outputFolder.empty() ? fs::temp_directory_path() : outputFolder;
    std::string outName = (folder / "vk-run-out-XXXXXX").string();
    std::string errName = (folder / "vk-run-err-XXXXXX").string();
    const int outFd = ::mkstemp(outName.data());
    const int errFd = ::mkstemp(errName.data());
    if (outFd < 0 || errFd < 0) throw std::runtime_error("mkstemp failed");

    std::vector<std::string> argvStore{program};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) ::_exit(126);
        for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
        if (inChild) inChild();
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(outFd);
    ::close(errFd);
    return StartedProgram{pid, outName, errName};
}

RunResult finishProgram(const StartedProgram& started, double timeoutSeconds) {
    const auto pid = static_cast<pid_t>(started.process);
    int raw = 0;
    bool timedOut = false;
    if (pid > 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
        while (::waitpid(pid, &raw, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &raw, 0);
                timedOut = true;
                break;
            }
            ::usleep(1000);
        }
    }
    RunResult r;
    r.status = pid > 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(started.outFile);
    r.err = (timedOut ? "timed out\n" : "") + readFile(started.errFile);
    ::unlink(started.outFile.c_str());
    ::unlink(started.errFile.c_str());
    return r;
}

bool hasEnded(const StartedProgram& started) {
    siginfo_t info{};
    // WNOWAIT leaves the ended program for finishProgram to collect.
    return ::waitid(P_PID, static_cast<id_t>(started.process), &info,
                    WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid != 0;
}

bool canStop(Stop) {
    return true;
}

void stopProgram(const StartedProgram& started, Stop how) {
    const int signal = how == Stop::Kill ? SIGKILL : how == Stop::Interrupt ? SIGINT : SIGTERM;
    ::kill(static_cast<pid_t>(started.process), signal);
}

}  // namespace vk_test
