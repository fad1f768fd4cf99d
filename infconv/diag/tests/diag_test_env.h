// A scratch working directory with its own log directory, for tests of the
// log channels. Channels created inside it are destroyed when it ends.
#pragma once

#include "log.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

class DiagTestEnv {
public:
    DiagTestEnv() {
        char pattern[] = "/tmp/infconv-diag-XXXXXX";
        root_ = ::mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(root_);
        logDir_ = root_ / "logs";
        ::setenv("INFCONV_LOG_DIR", logDir_.c_str(), 1);
    }
    ~DiagTestEnv() {
        setLogCapture(nullptr);
        setLogClock(nullptr);
        destroyLogChannels();
        std::filesystem::current_path(previous_);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    void writeSettings(const std::string& text) {
        std::filesystem::create_directories(root_ / "inf");
        std::ofstream(root_ / "inf" / "program.inf", std::ios::binary) << text;
    }
    std::string readLog(const std::string& channel) const {
        std::ifstream in(logDir_ / (channel + ".!"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::filesystem::path& root() const { return root_; }
    const std::filesystem::path& logDir() const { return logDir_; }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
    std::filesystem::path logDir_;
};
