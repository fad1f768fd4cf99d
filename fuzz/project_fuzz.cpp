// The map project reader, the map check, the map picture's layout and the
// mission generator on arbitrary bytes. The first 6672 bytes are the project
// file; the rest is one design file that every filled slot of the map points
// to. A map the check finds no error in must generate, and the converter's
// analyzer must accept the text; a map the generator refuses must have an
// error in the check.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "check/map_check.h"
#include "check/map_graph.h"
#include "check/map_picture_layout.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "map/project_file.h"
#include "mission/mission_generator.h"
#include "mission/mission_text_safety.h"
#include "project/map_project.h"
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
    const std::string designPath =
        fuzz::writeScratchFile("sys.sdf", data + projectBytes, size - projectBytes);

    auto project = std::make_unique<mw::MapProject>();
    SilentPrompts prompts(projectPath);
    try {
        mw::LoadProjectFile(*project, projectPath, prompts);
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).find(projectPath) == std::string::npos) std::abort();
        return 0;
    }
    if (project->systemCount < 0 || project->systemCount > mw::kMaxSystems) std::abort();
    if (project->empireCount != 2 && project->empireCount != 4 && project->empireCount != 8)
        std::abort();

    mw::MapProjectRecord record = mw::BuildProjectRecord(*project);
    for (mw::SystemSlot& slot : record.systems)
        if (!slot.empty()) slot.designFile = designPath;

    const std::vector<mw::CheckedSystem> systems = mw::ReadCheckedSystems(record, {});
    const std::vector<mw::MapProblem> problems = mw::CheckMap(record, systems);
    const bool checkedErrors = mw::verdictOf(problems) == mw::CheckVerdict::Errors;
    const mw::MapPictureLayout layout =
        mw::LayoutMapPicture(mw::BuildMapGraph(systems, problems), [](std::string_view text) {
            return mw::TextSize{7.0 * static_cast<double>(text.size()), 14};
        });
    if (!(layout.width >= 0 && layout.width < 1e6 && layout.height >= 0 && layout.height < 1e6))
        std::abort();

    std::string text;
    try {
        text = mw::GenerateMissionInfText(record, 1u);
    } catch (const mw::UnsafeTextError& e) {
        if (!checkedErrors) {
            std::fprintf(stderr, "refused without an error in the check: %s\n", e.what());
            std::abort();
        }
        return 0;
    } catch (const std::runtime_error& e) {
        if (!checkedErrors) {
            std::fprintf(stderr, "failed without an error in the check: %s\n", e.what());
            std::abort();
        }
        return 0;  // a damaged design file is refused
    }
    const std::string missionPath = fuzz::writeScratchFile("mission.txt", text);
    try {
        InfAnalyzer analyzer(missionPath);
    } catch (cException* e) {
        // The generator refuses every text the mission cannot carry, so the
        // converter must accept whatever it writes.
        std::unique_ptr<cException> owned(e);
        std::fprintf(stderr, "%s\n", owned->message().c_str());
        std::abort();
    }
    return 0;
}
