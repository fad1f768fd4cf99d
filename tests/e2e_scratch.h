// A scratch directory for one end-to-end test, and running the built
// programs in it as child processes.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/vk-e2e-XXXXXX";
        root_ = ::mkdtemp(pattern);
        std::filesystem::create_directories(root_ / ".logs");
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& relative) const { return (root_ / relative).string(); }

    void write(const std::string& relative, const std::string& content) const {
        const auto p = root_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& relative) const { return std::filesystem::exists(root_ / relative); }

    // Runs the program with its working directory at `subdir` of the scratch
    // root; the converter's logs go to a directory inside the scratch root.
    RunResult run(const std::string& program, const std::vector<std::string>& args,
                  const std::string& subdir = "") const {
        std::string command = "cd '" + (root_ / subdir).string() + "' && INFCONV_LOG_DIR='" +
                              (root_ / ".logs").string() + "' '" + program + "'";
        for (const std::string& a : args) command += " '" + a + "'";
        command += " >'" + (root_ / ".out").string() + "' 2>'" + (root_ / ".err").string() + "'";
        RunResult result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = read(".out");
        result.err = read(".err");
        return result;
    }

private:
    std::filesystem::path root_;
};

inline bool isBinaryInf(const std::string& content) {
    return content.rfind(std::string("\xAD\xA5\xFF\xFF", 4), 0) == 0;
}

}  // namespace e2e
