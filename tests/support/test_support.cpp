#include "test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vk_test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
    root_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Tests make parts read-only to force failures; give them back first.
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
         it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

std::string ScratchDir::path(const std::string& relative) const {
    return (root_ / relative).string();
}

std::string ScratchDir::write(const std::string& relative, const std::string& bytes) const {
    writeFile(root_ / relative, bytes);
    return path(relative);
}

std::string ScratchDir::read(const std::string& relative) const {
    return readFile(root_ / relative);
}

bool ScratchDir::exists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(root_ / relative, ec);
}

std::string readFile(const fs::path& path) {
    // In one piece: some tests read files of many megabytes.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size <= 0) return {};
    std::string content(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
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

    StartedProgram started{::fork(), outName, errName};
    if (started.pid == 0) {
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
    return started;
}

RunResult finishProgram(const StartedProgram& started, double timeoutSeconds) {
    int raw = 0;
    bool timedOut = false;
    if (started.pid > 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
        while (::waitpid(started.pid, &raw, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(started.pid, SIGKILL);
                ::waitpid(started.pid, &raw, 0);
                timedOut = true;
                break;
            }
            ::usleep(1000);
        }
    }
    RunResult r;
    r.status = started.pid > 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(started.outFile);
    r.err = (timedOut ? "timed out\n" : "") + readFile(started.errFile);
    ::unlink(started.outFile.c_str());
    ::unlink(started.errFile.c_str());
    return r;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const fs::path& workingFolder,
                     const std::map<std::string, std::string>& environment, double timeoutSeconds) {
    return finishProgram(startProgram(program, args, workingFolder, environment), timeoutSeconds);
}

}  // namespace vk_test
