// Runs the built converter as a child process in a scratch directory tree.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "os.h"
#include "test_support.h"

using CliResult = vk_test::RunResult;

class CliTree : public vk_test::ScratchDir {
  public:
    // Mixed case in the directory name shows the lower-casing of printed paths.
    CliTree() : ScratchDir("InfConv-CLI") {}

    // Beside the tree, so a walk over the tree never meets the logs.
    const std::filesystem::path& logDir() const { return logs_.root(); }
    std::string lowerRoot() const {
        std::string s = vk_test::utf8(root());
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    // The tree's full path of a relative name ("sub/f.inf"), as the walk
    // prints and reports it: with the system's separator, and with the tree's
    // own part lower-cased when `lowered`.
    std::string walkPath(const std::string& relative, bool lowered = true) const {
        std::string path = (lowered ? lowerRoot() : vk_test::utf8(root())) + "/" + relative;
        for (char& c : path)
            if (c == '/') c = os::kPathSeparator;
        return path;
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
        const std::filesystem::path folder =
            subdir.empty() ? root() : root() / vk_test::utf8Path(subdir);
        return vk_test::startProgram(VK_INFCONV, args, folder,
                                     {{"INFCONV_LOG_DIR", vk_test::utf8(logDir())}}, inChild,
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

// The lock another conversion of the file holds, held by the test.
class HeldLock {
  public:
    explicit HeldLock(const std::string& path) {
        os::Handle file = os::kNoHandle;
        os::FileId id;
        if (os::openRegular(os::currentDir(), path, os::kReadOnly, file, &id) == os::Opened::Yes)
            lock_.lock(file, id, false);
    }
    bool held() const { return lock_.locked(); }

  private:
    os::FileLock lock_;
};
