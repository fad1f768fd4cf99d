#include "project/slot_paths.h"

#include "common/errors.h"

namespace mw {

SlotLookup LocateSlotFiles(MapProject& project, const std::string& projectPath) {
    SlotLookup found;
    for (int i = 0; i < project.systemCount; ++i) {
        SystemSlot& slot = project.systems[static_cast<std::size_t>(i)];
        const std::string stored = slot.designFile.str();
        const std::optional<std::string> use = LocateDesignFile(stored, projectPath);
        if (!use) {
            found.missing.push_back("system '" + printableBytes(slot.systemName.view()) +
                                    "': " + DesignFileProblem(stored, ProjectFolder(projectPath)));
            continue;
        }
        if (*use == stored) continue;
        slot.designFile = *use;
        found.replaced.push_back("system '" + printableBytes(slot.systemName.view()) +
                                 "': " + printableBytes(stored) + " not found, using " + *use);
    }
    return found;
}

}  // namespace mw
