#include "system/designer_text.h"

#include "system/system_model.h"

namespace mw::designer_text {

std::string tableFull(ObjectKind kind) {
    return "A system can hold at most " + std::to_string(kTableCapacity) + " " +
           std::string(kindName(kind)) + " (deleted ones included until the map is cleared)!";
}

}  // namespace mw::designer_text
