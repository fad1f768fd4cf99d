// The process on POSIX systems: signals, environment, terminal, memory.
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>

#include "os.h"

namespace os {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void (*g_cleanup)() = nullptr;

void onSignal(int signal) {
    g_cleanup();
    // SA_RESETHAND restored the default action; the signal raised again ends
    // the process as soon as this handler returns.
    ::raise(signal);
}

sigset_t interruptSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) sigaddset(&set, signal);
    return set;
}

// The user's home folder from the password file, for a process started
// without HOME. The C library's lookup would load its name service modules
// at run time, which a statically linked program cannot count on.
std::optional<std::string> passwordFileHome(uid_t uid) {
    std::ifstream users("/etc/passwd");
    const std::string id = std::to_string(uid);
    std::string line;
    while (std::getline(users, line)) {
        // name:password:uid:gid:comment:home:shell
        std::string fields[7];
        std::size_t field = 0;
        for (char c : line) {
            if (c != ':') {
                fields[field] += c;
            } else if (++field == 7) {
                break;
            }
        }
        if (field >= 5 && fields[2] == id && !fields[5].empty()) return fields[5];
    }
    return std::nullopt;
}

}  // namespace

void onInterrupt(void (*cleanup)()) {
    static std::once_flag once;
    std::call_once(once, [cleanup] {
        g_cleanup = cleanup;
        for (int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = onSignal;
            action.sa_mask = interruptSignals();
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

void removeNow(const char* path) {
    ::unlink(path);
}

InterruptHold::InterruptHold() {
    static_assert(sizeof(sigset_t) <= sizeof(m_previous));
    const sigset_t held = interruptSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, reinterpret_cast<sigset_t*>(m_previous));
}

InterruptHold::~InterruptHold() {
    ::pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(m_previous), nullptr);
}

std::uint64_t processId() {
    return static_cast<std::uint64_t>(::getpid());
}

unsigned processorCount() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

std::string userStateDirectory() {
    if (auto state = environment("XDG_STATE_HOME")) return *state;
    std::optional<std::string> home = environment("HOME");
    if (!home) home = passwordFileHome(::getuid());
    return home.value_or("/tmp") + "/.local/state";
}

std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void useUtf8Console() {}

bool inputIsTerminal() {
    return ::isatty(STDIN_FILENO) != 0;
}

bool debuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("TracerPid:", 0) == 0) return std::stol(line.substr(10)) != 0;
    }
    return false;
}

void breakIntoDebugger() {
    std::raise(SIGTRAP);
}

// Executables here carry no version resource.
std::optional<std::string> programFileVersion() {
    return std::nullopt;
}

void* allocatePages(std::size_t bytes, std::size_t alignment) {
    // Mapped with an alignment to spare, then trimmed to an aligned block.
    void* mapped = ::mmap(nullptr, bytes + alignment, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    char* const base = static_cast<char*>(mapped);
    // Both are whole pages: the mapping starts at one, the alignment is one.
    const std::size_t skip =
        (alignment - reinterpret_cast<std::uintptr_t>(base) % alignment) % alignment;
    char* const aligned = base + skip;
    if (skip > 0) ::munmap(base, skip);
    if (alignment > skip) ::munmap(aligned + bytes, alignment - skip);
    // Only a hint: without huge pages the block works the same, faulting more.
    ::madvise(aligned, bytes, MADV_HUGEPAGE);
    return aligned;
}

void freePages(void* pages, std::size_t bytes) {
    ::munmap(pages, bytes);
}

}  // namespace os
