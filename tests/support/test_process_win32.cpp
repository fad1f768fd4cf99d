// Child processes and the environment of tests on Windows.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "test_support.h"

namespace vk_test {

namespace fs = std::filesystem;

namespace {

// The exit code a killed program gets; codes from here up are the system's
// for programs that did not end by themselves (crashes, Ctrl+C).
constexpr DWORD kKilled = 0xC000013A;
constexpr DWORD kAbnormalFrom = 0xC0000000;

std::wstring wide(const std::string& text) {
    return utf8Path(text).wstring();
}

// One argument as the program's CommandLineToArgvW gets it back.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

// This process's environment with the variables given set.
std::wstring environmentBlock(const std::map<std::string, std::string>& extra) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const std::size_t equals = text.find(L'=', 1);
        if (equals != std::wstring::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : extra) {
        for (auto it = variables.begin(); it != variables.end();) {
            it = CompareStringOrdinal(it->first.c_str(), -1, wide(name).c_str(), -1, TRUE) ==
                         CSTR_EQUAL
                     ? variables.erase(it)
                     : std::next(it);
        }
        variables[wide(name)] = wide(value);
    }
    std::wstring out;
    for (const auto& [name, value] : variables) out += name + L"=" + value + L'\0';
    return out + L'\0';
}

HANDLE inheritable(const fs::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

fs::path freshName(const fs::path& folder, const std::string& prefix) {
    static std::mt19937 random(std::random_device{}());
    return folder / (prefix + std::to_string(random()));
}

// Console output as a text stream reads it.
std::string asText(std::string bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out += bytes[i];
    return out;
}

// "error 1359: An internal error occurred."
std::string windowsError(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string said = length ? utf8(fs::path(std::wstring(text, length))) : std::string();
    LocalFree(text);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
        said.pop_back();
    return "error " + std::to_string(error) + (said.empty() ? "" : ": " + said);
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Errors that a second try cannot mend: the program or its folder is not
// there or is no program, the arguments are wrong.
bool lasting(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_BAD_EXE_FORMAT || error == ERROR_INVALID_PARAMETER ||
           error == ERROR_DIRECTORY;
}

}  // namespace

void setEnvironment(const std::string& name, const std::string& value) {
    SetEnvironmentVariableW(wide(name).c_str(), wide(value).c_str());
    _wputenv_s(wide(name).c_str(), wide(value).c_str());
}

bool makeFifo(const fs::path&) {
    return false;
}

bool canMakeSymlinks(const fs::path& folder) {
    const fs::path link = freshName(folder, "vk-link-probe-");
    std::error_code ec;
    fs::create_symlink("target", link, ec);
    if (ec) return false;
    fs::remove(link, ec);
    return true;
}

bool canLimitMemory() {
    return false;
}

void limitMemory(std::size_t) {}

const char* nullDevice() {
    return "NUL";
}

SmallDisk::SmallDisk(const fs::path& at) : at_(at), why_("Windows mounts no small file system") {
    fs::create_directories(at_);
}

SmallDisk::~SmallDisk() = default;

void SmallDisk::fill(const fs::path&) const {}

StartedProgram startProgram(const std::string& program, const std::vector<std::string>& args,
                            const fs::path& workingFolder,
                            const std::map<std::string, std::string>& environment,
                            const std::function<void()>&, const fs::path& outputFolder) {
    const fs::path folder = outputFolder.empty() ? fs::temp_directory_path() : outputFolder;
    const fs::path outName = freshName(folder, "vk-run-out-");
    const fs::path errName = freshName(folder, "vk-run-err-");
    const HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = inheritable(outName, GENERIC_WRITE, CREATE_NEW);
    const HANDLE err = inheritable(errName, GENERIC_WRITE, CREATE_NEW);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot make the output files of " + program);

    std::wstring commandLine = quoted(wide(program));
    for (const std::string& arg : args) commandLine += L" " + quoted(wide(arg));
    std::wstring block = environmentBlock(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION info{};
    const auto start = [&] {
        return CreateProcessW(wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                              CREATE_UNICODE_ENVIRONMENT, block.data(),
                              workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                              &info) != 0;
    };
    bool started = start();
    std::string failure;
    if (!started) {
        const DWORD error = GetLastError();
        failure = "cannot start " + program + " (" + windowsError(error) + ")";
        // Wine's start of a new process fails now and then on a busy machine
        // (the new process ends before it reports back); a failure a second
        // try could mend gets one, and the note keeps the first error.
        if (underWine() && !lasting(error)) {
            std::fprintf(stderr, "%s; under Wine, trying once more\n", failure.c_str());
            Sleep(200);
            started = start();
            if (!started)
                failure += "; tried once more under Wine: " + windowsError(GetLastError());
        }
    }
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) throw std::runtime_error(failure);
    CloseHandle(info.hThread);
    return StartedProgram{reinterpret_cast<std::intptr_t>(info.hProcess), utf8(outName),
                          utf8(errName)};
}

RunResult finishProgram(const StartedProgram& started, double timeoutSeconds) {
    const auto process = reinterpret_cast<HANDLE>(started.process);
    bool timedOut = false;
    if (WaitForSingleObject(process, static_cast<DWORD>(timeoutSeconds * 1000)) != WAIT_OBJECT_0) {
        TerminateProcess(process, kKilled);
        WaitForSingleObject(process, INFINITE);
        timedOut = true;
    }
    DWORD code = kKilled;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    RunResult r;
    r.status = code >= kAbnormalFrom ? -1 : static_cast<int>(code);
    r.out = asText(readFile(utf8Path(started.outFile)));
    r.err = (timedOut ? "timed out\n" : "") + asText(readFile(utf8Path(started.errFile)));
    std::error_code ec;
    fs::remove(utf8Path(started.outFile), ec);
    fs::remove(utf8Path(started.errFile), ec);
    return r;
}

bool hasEnded(const StartedProgram& started) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(started.process), 0) == WAIT_OBJECT_0;
}

bool canStop(Stop how) {
    return how == Stop::Kill;
}

void stopProgram(const StartedProgram& started, Stop how) {
    if (how == Stop::Kill) TerminateProcess(reinterpret_cast<HANDLE>(started.process), kKilled);
}

}  // namespace vk_test
