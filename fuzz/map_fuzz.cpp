// The map check and the mission generator together, on a project file and
// up to three design files made from the fuzzer's bytes. The wizard's "Check
// map" and its "Save map" must agree: a map whose check lists no error is
// generated, the converter's analyzer reads the mission source, and a map
// whose check lists an error is refused.
//
// Input: up to four parts, each a 4-byte little-endian length and that many
// bytes (a length past the end takes what is left): the project file, then
// the design files alpha.sdf, beta.sdf and gamma.sdf beside it. A part that is
// not there is a file that is not there. The mutator keeps this layout.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "check/map_check.h"
#include "design_file_mutator.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "map/design_file_lookup.h"
#include "map/project_file.h"
#include "project/map_project.h"
#include "project/project_check.h"
#include "project/slot_paths.h"
#include "quiet_error_log.h"
#include "scratch_dir.h"

namespace {

constexpr std::array<const char*, 4> kFiles = {"map.vmpf", "alpha.sdf", "beta.sdf", "gamma.sdf"};
// A project file a little longer than the record: the reader ignores the rest.
constexpr std::size_t kProjectRoom = mw::kProjectFileSize + 64;

struct MapInput {
    std::array<std::string, kFiles.size()> parts;
    std::size_t count = 0;  // parts present, from the first
};

MapInput split(const std::uint8_t* data, std::size_t size) {
    MapInput in;
    std::size_t at = 0;
    while (in.count < kFiles.size() && at + 4 <= size) {
        std::uint32_t length = 0;
        for (int i = 3; i >= 0; --i) length = length << 8 | data[at + static_cast<std::size_t>(i)];
        at += 4;
        const std::size_t take = std::min<std::size_t>(length, size - at);
        in.parts[in.count++].assign(reinterpret_cast<const char*>(data + at), take);
        at += take;
    }
    return in;
}

std::string join(const MapInput& in) {
    std::string out;
    for (std::size_t p = 0; p < in.count; ++p) {
        const auto length = static_cast<std::uint32_t>(in.parts[p].size());
        for (int i = 0; i < 4; ++i) out += static_cast<char>(length >> (8 * i) & 0xFF);
        out += in.parts[p];
    }
    return out;
}

std::size_t joinedSize(const MapInput& in) {
    std::size_t size = 0;
    for (std::size_t p = 0; p < in.count; ++p) size += 4 + in.parts[p].size();
    return size;
}

// Answers "Save map" as a user who wants the mission source only, and
// remembers what the check made it say.
class SaveMapPrompts : public mw::Prompts {
  public:
    explicit SaveMapPrompts(std::string mission) : mission_(std::move(mission)) {}
    void notice(const std::string&) override {}
    void error(const std::string& text) override { refusal = text; }
    bool ask(const std::string& question) override {
        return question != mw::wizard_text::kAskSaveProject;
    }
    std::string chooseFile(mw::FileDialog dialog) override {
        return dialog == mw::FileDialog::SaveInfSource ? mission_ : std::string();
    }
    std::string refusal;

  private:
    std::string mission_;
};

// Whether a design file path that a slot leads to is one of this input's
// files: a stored path may name any file of the machine.
bool madeByTheFuzzer(const std::string& path) {
    static const std::filesystem::path scratch =
        std::filesystem::canonical(fuzz::scratchDir()).lexically_normal();
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    return !ec && p.parent_path() == scratch;
}

[[noreturn]] void disagree(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quietErrorLog();
    const MapInput in = split(data, size);
    if (in.count == 0) return 0;
    for (std::size_t p = 0; p < kFiles.size(); ++p) {
        if (p < in.count)
            fuzz::writeScratchFile(kFiles[p], in.parts[p]);
        else
            fuzz::removeScratchFile(kFiles[p]);
    }
    fuzz::removeScratchFile("mission.txt");

    const std::string projectPath = fuzz::scratchPath(kFiles[0]);
    auto project = std::make_unique<mw::MapProject>();
    SaveMapPrompts prompts(fuzz::scratchPath("mission.txt"));
    try {
        mw::LoadProjectFile(*project, projectPath, prompts);
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).find(projectPath) == std::string::npos) std::abort();
        return 0;
    }
    const std::filesystem::path folder = mw::ProjectFolder(projectPath);
    for (int i = 0; i < project->systemCount; ++i) {
        const auto found = mw::LocateDesignFileNear(
            project->systems[static_cast<std::size_t>(i)].designFile.str(), folder);
        if (found && !madeByTheFuzzer(*found)) return 0;
    }

    // What "Check map" shows, then what "Save map" does.
    const std::vector<mw::MapProblem> problems = mw::CheckMap(*project);
    const bool checkedErrors = mw::verdictOf(problems) == mw::CheckVerdict::Errors;
    try {
        mw::SaveMap(*project, prompts, 1u);
    } catch (const std::runtime_error& e) {
        disagree(("the check found " + mw::checkSummary(problems) + ", but saving failed").c_str(),
                 e.what());
    }
    if (checkedErrors != !prompts.refusal.empty())
        disagree(("the check found " + mw::checkSummary(problems)).c_str(),
                 prompts.refusal.empty() ? "but the mission was generated" : prompts.refusal);
    if (checkedErrors) return 0;

    try {
        InfAnalyzer analyzer(fuzz::scratchPath("mission.txt"));
    } catch (cException* e) {
        // The generator refuses every text the mission cannot carry.
        std::unique_ptr<cException> owned(e);
        disagree("the converter refuses the generated mission", owned->message());
    }
    return 0;
}

// Mutates one part at a time: the project file mostly at its exact size, a
// design file by its records. Now and then the last part goes.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
    fuzz::Random random(seed);
    MapInput in = split(data, size);
    if (in.count > 1 && fuzz::below(random, 16) == 0) {
        --in.count;
    } else {
        const std::size_t p = fuzz::below(random, 3) == 0 ? 0 : 1 + fuzz::below(random, 3);
        if (p >= in.count) in.count = p + 1;
        std::string& part = in.parts[p];
        const std::size_t others = joinedSize(in) - part.size();
        if (others >= maxSize) return size;
        const std::size_t room = maxSize - others;
        if (p == 0) {
            fuzz::mutateBytes(part, std::min(room, kProjectRoom));
            if (fuzz::below(random, 8) != 0) part.resize(mw::kProjectFileSize, '\0');
            if (part.size() > room) part.resize(room);
        } else {
            fuzz::mutateDesignFile(part, room, random);
        }
    }
    const std::string out = join(in);
    if (out.size() > maxSize) return size;
    std::memcpy(data, out.data(), out.size());
    return out.size();
}

// Takes each part from one of the two inputs, so systems of different maps meet.
extern "C" std::size_t LLVMFuzzerCustomCrossOver(const std::uint8_t* data1, std::size_t size1,
                                                 const std::uint8_t* data2, std::size_t size2,
                                                 std::uint8_t* out, std::size_t maxOutSize,
                                                 unsigned seed) {
    fuzz::Random random(seed);
    const MapInput a = split(data1, size1), b = split(data2, size2);
    MapInput mixed;
    mixed.count = std::max(a.count, b.count);
    for (std::size_t p = 0; p < mixed.count; ++p) {
        const bool fromA = p < a.count && (p >= b.count || fuzz::below(random, 2) == 0);
        mixed.parts[p] = fromA ? a.parts[p] : b.parts[p];
    }
    const std::string joined = join(mixed);
    if (joined.size() > maxOutSize) return 0;
    std::memcpy(out, joined.data(), joined.size());
    return joined.size();
}
