// A scratch working directory with its own log directory, for tests of the
// log channels. Channels created inside it are destroyed when it ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "log.h"
#include "test_support.h"

class DiagTestEnv {
  public:
    DiagTestEnv() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(scratch_.root());
        vk_test::setEnvironment("INFCONV_LOG_DIR", vk_test::utf8(logDir_));
    }
    ~DiagTestEnv() {
        setLogCapture(nullptr);
        setLogClock(nullptr);
        destroyLogChannels();
        std::filesystem::current_path(previous_);
    }

    void writeSettings(const std::string& text) {
        vk_test::writeFile(scratch_.root() / "inf" / "program.inf", text);
    }
    std::string readLog(const std::string& channel) const {
        return vk_test::readFile(logDir_ / (channel + ".!"));
    }
    const std::filesystem::path& root() const { return scratch_.root(); }
    const std::filesystem::path& logDir() const { return logDir_; }

  private:
    vk_test::ScratchDir scratch_{"infconv-diag"};
    std::filesystem::path previous_;
    std::filesystem::path logDir_ = scratch_.root() / "logs";
};
