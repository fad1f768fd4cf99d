// Runs the built converter as a child process in a scratch directory tree.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

using CliResult = vk_test::RunResult;

class CliTree : public vk_test::ScratchDir {
  public:
    // Mixed case in the directory name shows the lower-casing of printed paths.
    CliTree() : ScratchDir("InfConv-CLI") {}

    // Beside the tree, so a walk over the tree never meets the logs.
    const std::filesystem::path& logDir() const { return logs_.root(); }
    std::string lowerRoot() const {
        std::string s = root().string();
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
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

    using Started = vk_test::StartedProgram;

    // Starts the converter without waiting; `finish` collects it.
    Started start(const std::vector<std::string>& args, const std::string& subdir = "",
                  const std::function<void()>& inChild = {}) const {
        return vk_test::startProgram(VK_INFCONV, args, root() / subdir,
                                     {{"INFCONV_LOG_DIR", logDir().string()}}, inChild,
                                     outputs_.root());
    }

    // Waits for a started run; the status is -1 when a signal ended it.
    static CliResult finish(const Started& started, double timeoutSeconds = 60) {
        return vk_test::finishProgram(started, timeoutSeconds);
    }

  private:
    vk_test::ScratchDir logs_{"InfConv-CLI-logs"};
    vk_test::ScratchDir outputs_{
        "InfConv-CLI-out"};  // a run reaped by the test leaves its files here
};
