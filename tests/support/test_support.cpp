#include "test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::string ScratchDir::read(const std::string& relative) const { return readFile(root_ / relative); }

bool ScratchDir::exists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(root_ / relative, ec);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const fs::path& workingFolder,
                     const std::map<std::string, std::string>& environment) {
    char outName[] = "/tmp/vk-run-out-XXXXXX";
    char errName[] = "/tmp/vk-run-err-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
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
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int raw = 0;
    if (pid > 0) ::waitpid(pid, &raw, 0);
    ::close(outFd);
    ::close(errFd);
    RunResult r;
    r.status = pid > 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(outName);
    r.err = readFile(errName);
    ::unlink(outName);
    ::unlink(errName);
    return r;
}

}  // namespace vk_test
