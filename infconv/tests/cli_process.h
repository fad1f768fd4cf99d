// Runs the built converter as a child process in a scratch directory tree.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(root_ / relative);
    }
    bool isBinary(const std::string& relative) const {
        return read(relative).rfind(std::string("\xAD\xA5\xFF\xFF", 4), 0) == 0;
    }

    CliResult run(const std::vector<std::string>& args, const std::string& subdir = "") const {
        const std::string outFile = logDir_.string() + ".out";
        const std::string errFile = logDir_.string() + ".err";
        pid_t pid = ::fork();
        if (pid == 0) {
            const std::string dir = (root_ / subdir).string();
            if (::chdir(dir.c_str()) != 0) ::_exit(126);
            ::setenv("INFCONV_LOG_DIR", logDir_.c_str(), 1);
            int in = ::open("/dev/null", O_RDONLY);
            int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
        int raw = 0;
        ::waitpid(pid, &raw, 0);
        CliResult r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(outFile);
        r.err = slurp(errFile);
        std::filesystem::remove(outFile);
        std::filesystem::remove(errFile);
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
