// A scratch folder for one end-to-end test, and running the built programs
// in it as child processes with the converter's logs kept inside it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace e2e {

using vk_test::RunResult;

class Scratch : public vk_test::ScratchDir {
  public:
    Scratch() : ScratchDir("vk-e2e") { std::filesystem::create_directories(root() / ".logs"); }

    // Runs the program with its working directory at `subdir` of the scratch root.
    RunResult run(const std::string& program, const std::vector<std::string>& args,
                  const std::string& subdir = "") const {
        return vk_test::runProgram(program, args, root() / subdir,
                                   {{"INFCONV_LOG_DIR", (root() / ".logs").string()}});
    }
};

inline bool isBinaryInf(const std::string& content) {
    return content.rfind(std::string("\xAD\xA5\xFF\xFF", 4), 0) == 0;
}

}  // namespace e2e
