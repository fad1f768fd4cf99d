#include "project/map_history_files.h"

#include <memory>

#include "common/errors.h"

namespace mw {

std::string FileEditsStep::run(bool forward) {
    try {
        ApplyFileEdits(edits_, forward);
    } catch (const UserError& e) {
        return e.what();
    }
    return {};
}

void MakeFixStep(MapDocument& map, const CheckFix& fix) {
    MapProject& project = map.project();
    if (fix.rename && project.systems.at(fix.rename->slot).systemName.view() != fix.rename->from)
        throw UserError("The map no longer lists system \"" + printableBytes(fix.rename->from) +
                        "\"");
    MapProject before = project;
    ApplyFileEdits(fix.files, true);
    if (fix.rename) project.systems[fix.rename->slot].systemName = fix.rename->to;
    std::shared_ptr<FileEdits> files;
    if (!fix.files.empty()) files = std::make_shared<FileEditsStep>(fix.files);
    map.push({fix.caption, std::move(before), project, std::move(files), {}});
}

}  // namespace mw
