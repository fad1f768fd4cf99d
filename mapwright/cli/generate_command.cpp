// mapwright generate PROJECT.vmpf OUTPUT.txt [--seed N]: the wizard's "Load map"
// followed by "Save map" with only the mission source written, without a window.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "common/errors.h"
#include "mission/mission_text_safety.h"
#include "project/map_project.h"
#include "project/slot_paths.h"

namespace mw::cli {

namespace {

// Answers the wizard's questions as a user would who wants the source only.
class HeadlessPrompts : public Prompts {
  public:
    HeadlessPrompts(std::string project, std::string output)
        : project_(std::move(project)), output_(std::move(output)) {}
    void notice(const std::string& text) override {
        if (text.rfind("Source file saved to ", 0) == 0)
            report_ = text;
        else
            std::fprintf(stderr, "mapwright generate: %s: %s\n", project_.c_str(), text.c_str());
    }
    void error(const std::string& text) override {
        // The wizard's pointer to its "Check map" button means nothing here;
        // the command names 'mapwright check' after the refusal instead.
        std::string shown = text;
        const std::string button = "\n\n" + std::string(wizard_text::kSeeCheckMap);
        if (shown.size() >= button.size() &&
            shown.compare(shown.size() - button.size(), button.size(), button) == 0)
            shown.resize(shown.size() - button.size());
        notice(shown);
    }
    bool ask(const std::string& question) override {
        if (question == wizard_text::kAskSaveProject) return false;
        // The only other question: whether to generate despite the check's warnings.
        if (question != wizard_text::kAskGenerate)
            std::fprintf(stderr,
                         "mapwright generate: %s: the map check found warnings, generating "
                         "anyway ('mapwright check %s' lists them)\n",
                         project_.c_str(), project_.c_str());
        return true;
    }
    std::string chooseFile(FileDialog dialog) override {
        if (dialog == FileDialog::LoadProject) return project_;
        if (dialog == FileDialog::SaveInfSource) return output_;
        return {};
    }
    const std::string& report() const { return report_; }

  private:
    std::string project_, output_, report_;
};

std::optional<std::uint32_t> parseSeed(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 10 || std::stoull(text) > 0xFFFFFFFFull)
        throw std::invalid_argument("--seed needs a whole number 0..4294967295, not '" + text +
                                    "'");
    return static_cast<std::uint32_t>(std::stoull(text));
}

}  // namespace

int runGenerate(const Args& args) {
    const char* usage = "usage: mapwright generate PROJECT.vmpf OUTPUT.txt [--seed N]\n";
    std::vector<std::string> files;
    std::optional<std::uint32_t> seed;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--seed") {
                if (i + 1 >= args.size()) throw std::invalid_argument("--seed needs a number");
                seed = parseSeed(args[++i]);
            } else {
                files.push_back(args[i]);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright generate: %s\n%s", e.what(), usage);
        return 2;
    }
    if (files.size() != 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    try {
        HeadlessPrompts prompts(files[0], files[1]);
        auto project = std::make_unique<MapProject>();
        if (!LoadProject(*project, prompts)) return 1;
        const SlotLookup found = LocateSlotFiles(*project, files[0]);
        for (const std::string& note : found.replaced)
            std::fprintf(stderr, "mapwright generate: %s\n", note.c_str());
        if (!found.missing.empty()) {
            // Named with the project file: the slot's own path may be empty.
            for (const std::string& missing : found.missing)
                std::fprintf(stderr, "mapwright generate: %s: %s\n",
                             printableBytes(files[0]).c_str(), missing.c_str());
            return 1;
        }
        SaveMap(*project, prompts, seed);
        if (prompts.report().empty()) {
            // The check found errors and said which; nothing was written.
            std::fprintf(stderr, "mapwright generate: 'mapwright check %s' lists every problem\n",
                         files[0].c_str());
            return 1;
        }
        std::printf("%s\n", prompts.report().c_str());
        return 0;
    } catch (const UnsafeTextError& e) {
        std::fprintf(stderr, "mapwright generate: %s\n", e.what());
        std::fprintf(stderr, "mapwright generate: 'mapwright check %s' lists every such text\n",
                     files[0].c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright generate: %s\n", e.what());
        return 1;
    }
}

}  // namespace mw::cli
