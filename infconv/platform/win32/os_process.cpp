// The process on Windows: console events, environment, console, memory.
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "os.h"
#include "os_win32.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace os {

using win32::narrow;
using win32::widen;
using win32::widePath;

namespace {

void (*g_cleanup)() = nullptr;
// Holds in force, and whether an interruption is being handled. Windows runs
// a console handler on a thread of its own, so a hold makes it wait.
std::atomic<int> g_holds{0};
std::atomic<bool> g_interrupted{false};

BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    g_interrupted = true;
    while (g_holds.load() > 0) Sleep(1);
    g_cleanup();
    // The next handler, the system's, ends the process.
    return FALSE;
}

UINT g_consoleCodePage = 0;

void restoreConsole() {
    SetConsoleOutputCP(g_consoleCodePage);
}

}  // namespace

void onInterrupt(void (*cleanup)()) {
    static std::once_flag once;
    std::call_once(once, [cleanup] {
        g_cleanup = cleanup;
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    });
}

void removeNow(const char* path) {
    DeleteFileW(widePath(path).c_str());
}

InterruptHold::InterruptHold() : m_previous{} {
    for (;;) {
        ++g_holds;
        if (!g_interrupted) return;
        // The process is ending: nothing more may start.
        --g_holds;
        Sleep(INFINITE);
    }
}

InterruptHold::~InterruptHold() {
    --g_holds;
}

std::uint64_t processId() {
    return GetCurrentProcessId();
}

unsigned processorCount() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0) {
        unsigned count = 0;
        for (; process != 0; process &= process - 1) ++count;
        return count;
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

std::optional<std::string> environment(const char* name) {
    const std::wstring wideName = widen(name);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (length <= 1) return std::nullopt;
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), length));
    return narrow(value);
}

std::string userStateDirectory() {
    if (auto local = environment("LOCALAPPDATA")) return *local;
    if (auto profile = environment("USERPROFILE")) return *profile + "\\AppData\\Local";
    return ".";
}

std::vector<std::string> arguments(int argc, char** argv) {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!wide || count != argc) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(narrow(wide.get()[i], wcslen(wide.get()[i])));
    return out;
}

void useUtf8Console() {
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) &&
        !GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode))
        return;
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
    std::atexit(restoreConsole);
}

bool inputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool debuggerAttached() {
    return IsDebuggerPresent() != 0;
}

void breakIntoDebugger() {
    DebugBreak();
}

std::optional<std::string> programFileVersion() {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::unique_ptr<char[]> block(new char[size]);
    void* value = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.get()) ||
        !VerQueryValueW(block.get(), L"\\StringFileInfo\\040904b0\\FileVersion", &value, &length) ||
        length == 0)
        return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(value);
    return narrow(text, wcsnlen(text, length));
}

void* allocatePages(std::size_t bytes, std::size_t alignment) {
    // A region with the alignment to spare shows where an aligned block
    // fits; it is given back and the block reserved there (another thread
    // may take the place meanwhile, so a few tries).
    for (int attempt = 0; attempt < 4; ++attempt) {
        void* probe = VirtualAlloc(nullptr, bytes + alignment, MEM_RESERVE, PAGE_NOACCESS);
        if (!probe) return nullptr;
        const auto base = reinterpret_cast<std::uintptr_t>(probe);
        const std::uintptr_t aligned = (base + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
        VirtualFree(probe, 0, MEM_RELEASE);
        void* block = VirtualAlloc(reinterpret_cast<void*>(aligned), bytes,
                                   MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (block) return block;
    }
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void freePages(void* pages, std::size_t) {
    VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace os
