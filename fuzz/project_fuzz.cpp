// The map project reader and the mission generator on arbitrary bytes. The
// first 6672 bytes are the project file; the rest is one design file that
// every filled slot of the map points to. The generator's text is loaded by
// the converter's analyzer (a refusal is fatal with VK_FUZZ_STRICT_MISSION).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "exceptions.h"
#include "inf_analyzer.h"
#include "project/map_project.h"
#include "mission/mission_generator.h"
#include "project/project_file.h"
#include "quiet_error_log.h"
#include "scratch_dir.h"

namespace {

class SilentPrompts : public mw::Prompts {
public:
    explicit SilentPrompts(std::string file) : file_(std::move(file)) {}
    void notice(const std::string&) override {}
    bool ask(const std::string&) override { return false; }
    std::string chooseFile(mw::FileDialog) override { return file_; }

private:
    std::string file_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quietErrorLog();
    const std::size_t projectBytes = std::min(size, mw::kProjectFileSize);
    const std::string projectPath = fuzz::writeScratchFile("map.vmpf", data, projectBytes);
    const std::string designPath = fuzz::writeScratchFile("sys.sdf", data + projectBytes, size - projectBytes);

    auto project = std::make_unique<mw::MapProject>();
    SilentPrompts prompts(projectPath);
    try {
        mw::LoadProjectFile(*project, projectPath, prompts);
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).find(projectPath) == std::string::npos) std::abort();
        return 0;
    }
    if (project->systemCount < 0 || project->systemCount > mw::kMaxSystems) std::abort();
    if (project->empireCount != 2 && project->empireCount != 4 && project->empireCount != 8) std::abort();

    mw::MapProjectRecord record = mw::BuildProjectRecord(*project);
    for (mw::SystemSlot& slot : record.systems)
        if (!slot.empty()) slot.designFile = designPath;

    std::string text;
    try {
        text = mw::GenerateMissionInfText(record, 1u);
    } catch (const std::runtime_error&) {
        return 0;  // a damaged design file is refused
    }
    const std::string missionPath = fuzz::writeScratchFile("mission.txt", text);
    try {
        InfAnalyzer analyzer(missionPath);
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        // Free texts of a design file (the sun's scale above all) go into the
        // source as typed, so a damaged file can give text the converter
        // refuses. That is reported, and fatal only when asked for.
        static const bool strict = std::getenv("VK_FUZZ_STRICT_MISSION") != nullptr;
        if (strict) {
            std::fprintf(stderr, "%s\n", owned->message().c_str());
            std::abort();
        }
    }
    return 0;
}
