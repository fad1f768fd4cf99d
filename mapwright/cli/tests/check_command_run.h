#pragma once
// mapwright check run as a process on maps written into a scratch folder.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "map/project_file.h"
#include "model_test_support.h"

namespace check_command {

using namespace model_test;
using Args = std::vector<std::string>;

// No display at all, and a platform that would fail if a plain check or the
// picture tried to use it.
inline const std::map<std::string, std::string> kNoDisplay{
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};

class CheckCommand : public ::testing::Test {
  protected:
    vk_test::RunResult run(Args args) {
        args.insert(args.begin(), "check");
        return vk_test::runProgram(VK_MAPWRIGHT, args, dir_.root(), kNoDisplay);
    }
    // A map of the given systems (slot name, records) in the scratch folder.
    std::string writeMap(
        const std::vector<std::pair<std::string, std::vector<mw::SdfRecord>>>& systems) {
        std::vector<std::pair<std::string, std::string>> files;
        for (std::size_t i = 0; i < systems.size(); ++i) {
            const std::string path = dir_.path(systemFile(i));
            writeDesignFile(path, systems[i].second);
            files.emplace_back(systems[i].first, path);
        }
        std::string project = dir_.path("map.vmpf");
        mw::WriteProjectFile(project, mapOf(files));
        return project;
    }

    // The design file of the i-th system (built up piece by piece: GCC 12
    // warns falsely about "s" + std::to_string(i) once inlined).
    static std::string systemFile(std::size_t i) {
        std::string name = "s";
        name += std::to_string(i);
        name += ".sdf";
        return name;
    }

    vk_test::ScratchDir dir_{"mw-check"};
};

}  // namespace check_command
