#include "system/designer_text.h"

#include "common/errors.h"
#include "system/object_kinds.h"
#include "system/system_model.h"

namespace mw::designer_text {

std::string tableFull(ObjectKind kind) {
    return "A system can hold at most " + std::to_string(kindInfo(kind).capacity) + " " +
           std::string(kindName(kind)) + " (deleted ones included until the map is cleared)!";
}

std::string tooManyJumpNodes(const std::string& path, std::size_t count, std::size_t offered) {
    return printableBytes(path) + " holds " + std::to_string(count) +
           " jump nodes; only the first " + std::to_string(offered) + " can be linked.";
}

}  // namespace mw::designer_text
