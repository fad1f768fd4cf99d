// Runs the built converter as a child process in a scratch directory tree.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTree {
public:
    CliTree() {
        // Mixed case in the directory name shows the lower-casing of printed paths.
        char pattern[] = "/tmp/InfConv-CLI-XXXXXX";
        root_ = ::mkdtemp(pattern);
        logDir_ = root_.parent_path() / (root_.filename().string() + "-logs");
    }
    ~CliTree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        std::filesystem::remove_all(logDir_, ec);
    }

    const std::filesystem::path& root() const { return root_; }
    const std::filesystem::path& logDir() const { return logDir_; }
    std::string lowerRoot() const {
        std::string s = root_.string();
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    }

    void write(const std::string& relative, const std::string& content) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string read(const std::string& relative) const {
        // In one piece: the stress tests read files of many megabytes.
        std::ifstream in(root_ / relative, std::ios::binary | std::ios::ate);
        std::string content(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
        in.seekg(0);
        in.read(content.data(), static_cast<std::streamsize>(content.size()));
        return content;
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(root_ / relative);
    }
    bool isBinary(const std::string& relative) const {
        return read(relative).rfind(std::string("\xAD\xA5\xFF\xFF", 4), 0) == 0;
    }

    // Runs the converter and waits for it, at most `timeoutSeconds`: a run
    // that takes longer is killed and reported with status -1 and "timed out".
    CliResult run(const std::vector<std::string>& args, const std::string& subdir = "",
                  double timeoutSeconds = 60) const {
        return finish(start(args, subdir), timeoutSeconds);
    }

    struct Started {
        pid_t pid = -1;
        std::string outFile, errFile;
    };

    // Starts the converter without waiting; `finish` collects it.
    Started start(const std::vector<std::string>& args, const std::string& subdir = "",
                  const std::function<void()>& inChild = {}) const {
        static int serial = 0;
        const std::string stem = logDir_.string() + "." + std::to_string(++serial);
        Started started{-1, stem + ".out", stem + ".err"};
        started.pid = ::fork();
        if (started.pid == 0) {
            const std::string dir = (root_ / subdir).string();
            if (::chdir(dir.c_str()) != 0) ::_exit(126);
            ::setenv("INFCONV_LOG_DIR", logDir_.c_str(), 1);
            if (inChild) inChild();
            int in = ::open("/dev/null", O_RDONLY);
            int out = ::open(started.outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            int err = ::open(started.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(in, 0);
            ::dup2(out, 1);
            ::dup2(err, 2);
            std::vector<char*> argv;
            std::string exe = VK_INFCONV;
            argv.push_back(exe.data());
            std::vector<std::string> copy = args;
            for (std::string& a : copy) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        return started;
    }

    // Waits for a started run; the status is -1 when a signal ended it.
    static CliResult finish(const Started& started, double timeoutSeconds = 60) {
        int raw = 0;
        bool timedOut = false;
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::duration<double>(timeoutSeconds);
        while (::waitpid(started.pid, &raw, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(started.pid, SIGKILL);
                ::waitpid(started.pid, &raw, 0);
                timedOut = true;
                break;
            }
            ::usleep(1000);
        }
        CliResult r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(started.outFile);
        r.err = (timedOut ? "timed out\n" : "") + slurp(started.errFile);
        std::filesystem::remove(started.outFile);
        std::filesystem::remove(started.errFile);
        return r;
    }

private:
    static std::string slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::path root_;
    std::filesystem::path logDir_;
};
